#include "platform/qt/qtmessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <map>
#include <optional>

namespace platform {

namespace {

// While a box is open, lets through only keys pressed after it appeared. A
// key held when it opened (Space in a fight) and its autorepeat would
// otherwise answer the box before the player has seen it. X reports most
// repeats as such, but a repeat it fails to pair arrives as a plain
// release and press a few milliseconds apart; a key counts as pressed anew
// only when its press comes well after its release.
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
    const auto* key = static_cast<QKeyEvent*>(event);
    // The same event passes here once per widget it propagates to; every
    // decision below gives the same answer the second time.
    auto found = keys_.find(key->key());
    if (found == keys_.end()) {
      if (press && !key->isAutoRepeat()) {
        keys_[key->key()] = Estado{true, std::nullopt};
        return false;
      }
      // Its first news is a repeat or a release: it was down before the box.
      found = keys_.emplace(key->key(), Estado{false, std::nullopt}).first;
    }
    Estado& e = found->second;
    if (key->isAutoRepeat()) {
      if (!e.fresh) e.releasedAt.reset();  // still held
      return true;
    }
    if (e.fresh) return false;
    if (!press) {
      e.releasedAt = clock_.elapsed();
      return true;
    }
    if (e.releasedAt && clock_.elapsed() - *e.releasedAt > kRepeatGapMs) {
      e.fresh = true;
      return false;
    }
    e.releasedAt.reset();
    return true;
  }

 private:
  static constexpr qint64 kRepeatGapMs = 100;  // X repeats 25 times a second
  struct Estado {
    bool fresh;                        // pressed while the box was open
    std::optional<qint64> releasedAt;  // a stale key's last release, if it is up
  };
  QWidget* box_;
  QElapsedTimer clock_;
  std::map<int, Estado> keys_;
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
  box.exec();
}

}  // namespace platform
