#include "platform/qt/qtmodal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace platform {

int execModal(QDialog& dialog) {
  // None when the player is in another program: then nothing is taken from it.
  const QPointer<QWidget> active = QApplication::activeWindow();
  dialog.setWindowModality(Qt::ApplicationModal);
  const int result = dialog.exec();
  if (active) active->activateWindow();
  return result;
}

}  // namespace platform
