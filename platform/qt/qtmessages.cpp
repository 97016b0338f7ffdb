#include "platform/qt/qtmessages.h"

#include <QMessageBox>

namespace platform {

void QtMessages::show(const std::string& text, Icon icon) {
  QMessageBox::Icon qicon = QMessageBox::NoIcon;
  switch (icon) {
    case Icon::None:
      qicon = QMessageBox::NoIcon;
      break;
    case Icon::Information:
      qicon = QMessageBox::Information;
      break;
    case Icon::Critical:
      qicon = QMessageBox::Critical;
      break;
  }
  // The rules break lines with "\r\n"; Qt's labels want "\n" alone.
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(qicon, title_, shown, QMessageBox::Ok, parent_);
  box.exec();
}

}  // namespace platform
