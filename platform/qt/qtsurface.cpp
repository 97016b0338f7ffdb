#include "platform/qt/qtsurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

QtSurface::QtSurface(const Bitmap& bitmap, QWidget* parent)
    : QWidget(parent),
      image_(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
             bitmap.width * 4, QImage::Format_RGB32) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(bitmap.width, bitmap.height);
  // Found by screen readers (and the end-to-end tests) under this name.
  setAccessibleName(QStringLiteral("mainpic"));
}

void QtSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

void QtSurface::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit pressed(at.x(), at.y());
}

void QtSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit moved(at.x(), at.y());
}

}  // namespace platform
