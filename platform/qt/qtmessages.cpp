#include "platform/qt/qtmessages.h"

#include "platform/freshkeys.h"
#include "platform/qt/qtmodal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>

namespace platform {

namespace {

// While a box is open, lets through only keys pressed after it appeared
// (platform/freshkeys.h).
class FreshKeysOnly final : public QObject {
 public:
  explicit FreshKeysOnly(QWidget* box) : box_(box) {
    clock_.start();
    qApp->installEventFilter(this);
  }
  ~FreshKeysOnly() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != box_) return false;
    // The same event passes here once per widget it propagates to.
    const auto* key = static_cast<QKeyEvent*>(event);
    return keys_.withhold(key->key(), press, key->isAutoRepeat(), clock_.elapsed());
  }

 private:
  QWidget* box_;
  QElapsedTimer clock_;
  FreshKeys keys_;
};

}  // namespace

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
  const FreshKeysOnly guard(&box);
  execModal(box);
}

}  // namespace platform
