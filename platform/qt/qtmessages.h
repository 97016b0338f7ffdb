// Message boxes through QMessageBox. Created by each program's main window
// and handed to the rules as a platform::Messages.
#pragma once

#include <QString>
#include <utility>

#include "platform/messages.h"

class QWidget;

namespace platform {

class QtMessages final : public Messages {
 public:
  QtMessages(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}

  // Modal; returns when the user presses OK ("Aceptar") or closes the box.
  void show(const std::string& text, Icon icon) override;

 private:
  QWidget* parent_;
  QString title_;
};

}  // namespace platform
