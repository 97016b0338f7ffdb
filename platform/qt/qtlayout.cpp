#include "platform/qt/qtlayout.h"

#include <QPainter>

#include <algorithm>
#include <array>
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
  auto* l = new QtLabel(QString::fromUtf8(label.text), parent);
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
  return l;
}

int inkShift(const QFont& font, QChar first, int k) {
  if (first.isNull()) return 0;
  // Where the glyph's ink begins, drawn as the label draws it (the metrics
  // are the design's, not the pixels' at this size): a few of them are kept.
  struct Known {
    QString font;
    QChar c;
    int k, left;
  };
  static std::array<Known, 16> known;
  static std::size_t next = 0;
  const QString key = font.key();
  for (const Known& n : known)
    if (n.k == k && n.c == first && n.font == key) return inkShift(n.left, k);
  const int em = std::max(font.pixelSize(), 1) * k, at = em;
  QImage scratch(3 * em, 2 * em, QImage::Format_RGB32);
  scratch.setDevicePixelRatio(k);  // as the window's, whose painter draws at k
  scratch.fill(Qt::white);
  {
    QPainter p(&scratch);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(qreal(at) / k, 0, 2.0 * em / k, 2.0 * em / k), Qt::AlignLeft | Qt::AlignTop,
               QString(first));
  }
  auto inked = [&scratch](int x) {
    for (int y = 0; y < scratch.height(); ++y)
      if (scratch.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
  };
  int x = 0;
  while (x < scratch.width() && !inked(x)) ++x;
  const int left = x < scratch.width() ? x - at : 0;  // a blank glyph has no ink to place
  known[next++ % known.size()] = {key, first, k, left};
  return inkShift(left, k);
}

void QtLabel::paintEvent(QPaintEvent*) {
  const QString shown = text();
  if (shown.isEmpty()) return;
  const int k = std::max(qRound(devicePixelRatioF()), 1);
  const QRectF r = contentsRect();
  // A quarter pixel more: Qt keeps positions in 64ths, and a third of one
  // kept so would fall just short of its device pixel.
  const qreal x = r.x() + (inkShift(font(), shown[0], k) + 0.25) / k;
  QPainter p(this);
  p.setFont(font());
  p.setPen(palette().color(foregroundRole()));
  p.drawText(QRectF(x, r.y(), r.right() + 1 - x, r.height()), int(alignment()), shown);
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
