#include "platform/qt/qtlayout.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "platform/qt/qtimage.h"

namespace platform {

QColor qtColor(uint32_t rgb) { return QColor::fromRgb(0xFF000000u | rgb); }

// Sizes in pixels at 96 dots per inch, so they look the same whatever the
// screen reports.
QFont qtFont(const Font& font) {
  QFont f(QString::fromUtf8(font.family));
  f.setPixelSize(font.pixels);
  f.setBold(font.bold);
  // Crisp, as Windows draws these small faces: hinted to whole pixels, no grey edges.
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

QWidget* makeClient(QMainWindow* window, const char* name, int w, int h, uint32_t background) {
  auto* client = new QWidget(window);
  client->setObjectName(QString::fromUtf8(name));
  client->setFixedSize(w, h);
  client->setAutoFillBackground(true);
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, qtColor(background));
  client->setPalette(palette);
  window->setCentralWidget(client);
  return client;
}

QLabel* makeLabel(QWidget* parent, const Label& label) {
  auto* l = new QLabel(QString::fromUtf8(label.text), parent);
  l->setObjectName(QString::fromUtf8(label.name));
  // Screen readers (and the end-to-end tests) tell the labels apart by this.
  l->setAccessibleDescription(QString::fromUtf8(label.name));
  l->setFont(qtFont(*label.font));
  l->setGeometry(label.box.x, label.box.y, label.box.w, label.box.h);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setTextFormat(Qt::PlainText);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, qtColor(label.ink));
  p.setColor(QPalette::Window, qtColor(label.paper));
  l->setPalette(p);
  l->setAutoFillBackground(label.opaque);
  alignInk(l, l->text().isEmpty() ? QChar() : l->text()[0]);
  return l;
}

void alignInk(QLabel* label, QChar first) {
  const int bearing = first.isNull() ? 0 : QFontMetrics(label->font()).boundingRect(first).left();
  const QMargins m = label->contentsMargins();
  const int left = std::max(kInkLeft - bearing, 0);
  if (m.left() != left) label->setContentsMargins(left, m.top(), m.right(), m.bottom());
}

QtPicture::QtPicture(QWidget* parent, const char* name, const Box& box, QImage picture)
    : QWidget(parent), picture_(std::move(picture)) {
  setObjectName(QString::fromUtf8(name));
  setGeometry(box.x, box.y, box.w, box.h);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void QtPicture::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, picture_); }

QtPictureButton::QtPictureButton(QWidget* parent, const media::Bitmap& picture, int side,
                                 uint32_t face)
    : QAbstractButton(parent),
      up_(toQImage(media::buttonFace(picture, side, side, face, false))),
      down_(toQImage(media::buttonFace(picture, side, side, face, true))) {
  setFixedSize(side, side);
  setFocusPolicy(Qt::NoFocus);
}

void QtPictureButton::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, isDown() ? down_ : up_);
}

}  // namespace platform
