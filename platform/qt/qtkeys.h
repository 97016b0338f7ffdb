// Key state from Qt. Created by each program's main() and handed to the
// rules as a platform::Keys. It filters the whole application's events, so
// keys count while any window or dialog of the program has the focus.
#pragma once

#include <QObject>

#include "platform/keytracker.h"

class QCoreApplication;

namespace platform {

class QtKeys final : public QObject, public Keys {
 public:
  // Installs itself on app (by default the running application).
  explicit QtKeys(QCoreApplication* app = nullptr);
  ~QtKeys() override;

  bool pressed(int vk) override { return tracker_.pressed(vk); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCoreApplication* app_;
  KeyTracker tracker_;
};

// Qt key code to the rules' virtual-key code, or -1 for keys the rules never ask about.
int xlatekey(int qtKey);

}  // namespace platform
