#include "platform/qt/qtkeys.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

int xlatekey(int qtKey) {
  // Qt reports letters as their upper-case code whatever Shift or Caps Lock say.
  switch (qtKey) {
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_G:
      return vk::G;
    case Qt::Key_H:
      return vk::H;
    case Qt::Key_R:
      return vk::R;
    default:
      return -1;
  }
}

QtKeys::QtKeys(QCoreApplication* app) : app_(app ? app : QCoreApplication::instance()) {
  if (app_) app_->installEventFilter(this);
}

QtKeys::~QtKeys() {
  if (app_) app_->removeEventFilter(this);
}

// Sees every event of the application before its receiver does. A key event
// that propagates from a widget to its parents passes here once per
// receiver; press and release are idempotent, so that does no harm.
bool QtKeys::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      // X autorepeat sends release+press pairs; the key stays held throughout.
      if (key->isAutoRepeat()) break;
      const int code = xlatekey(key->key());
      if (code < 0) break;
      if (event->type() == QEvent::KeyRelease)
        tracker_.release(code);  // wherever it happens, the key is up
      else if (!window_ ||
               (QApplication::activeWindow() == window_ && !QApplication::activePopupWidget()))
        tracker_.press(code);  // a key pressed in an open menu walks the menu
      break;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (window_ && watched == window_) tracker_.clear();
      break;
    case QEvent::ApplicationStateChange:
      // A key released while another program has the focus never reaches us.
      if (static_cast<QApplicationStateChangeEvent*>(event)->applicationState() !=
          Qt::ApplicationActive)
        tracker_.releaseAll();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);  // never swallow
}

}  // namespace platform
