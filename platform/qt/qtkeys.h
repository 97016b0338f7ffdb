// Key state from Qt. Created by each program's window and handed to the
// rules as a platform::Keys. It filters the whole application's events, so
// by default keys count while any window or dialog of the program has the
// focus; onlyWhileActive() narrows that to one window.
#pragma once

#include <QObject>

#include "platform/keytracker.h"

class QCoreApplication;
class QWidget;

namespace platform {

class QtKeys final : public QObject, public Keys {
 public:
  // Installs itself on app (by default the running application).
  explicit QtKeys(QCoreApplication* app = nullptr);
  ~QtKeys() override;

  bool pressed(int vk) override { return tracker_.pressed(vk); }

  // From now on a press counts only while window is the active window and
  // none of its menus is open: keys typed into dialogs, message boxes, menus
  // or other programs never reach the rules, and whatever is held or latched
  // is dropped whenever the window loses or regains activation.
  void onlyWhileActive(QWidget* window) { window_ = window; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCoreApplication* app_;
  QWidget* window_ = nullptr;
  KeyTracker tracker_;
};

// Qt key code to the rules' virtual-key code, or -1 for keys the rules never ask about.
int xlatekey(int qtKey);

}  // namespace platform
