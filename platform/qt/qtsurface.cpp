#include "platform/qt/qtsurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace platform {

QtSurface::QtSurface(const media::Bitmap& bitmap, QWidget* parent)
    : QWidget(parent),
      image_(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
             bitmap.width * 4, QImage::Format_RGB32) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(bitmap.width, bitmap.height);
  // Found by screen readers (and the end-to-end tests) under this name.
  setAccessibleName(QStringLiteral("mainpic"));
}

// Only the part that changed or was uncovered is drawn.
void QtSurface::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect r = event->rect();
  p.drawImage(r.topLeft(), image_, r);
}

// At a fractional display scale positions come between pixels: the pixel is
// the one they fall in (599.6 is pixel 599, -0.4 is -1), never the nearest.
QPoint QtSurface::pixel(const QMouseEvent* event) {
  const QPointF at = event->position();
  return {static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))};
}

void QtSurface::mousePressEvent(QMouseEvent* event) {
  const QPoint at = pixel(event);
  emit pressed(at.x(), at.y());
}

void QtSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = pixel(event);
  emit moved(at.x(), at.y());
}

}  // namespace platform
