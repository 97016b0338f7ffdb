// A drawing surface that shows a Bitmap as it is, without copying it, and
// reports mouse presses and moves in its own pixels. Each program's window
// puts one where its rules draw; present(changed) is update(changed).
#pragma once

#include <QImage>
#include <QWidget>

#include "media/bitmap.h"

namespace platform {

class QtSurface : public QWidget {
  Q_OBJECT
 public:
  // The bitmap must outlive the surface and never be resized.
  QtSurface(const media::Bitmap& bitmap, QWidget* parent);

 public:
  // The surface pixel a mouse event lies in.
  static QPoint pixel(const QMouseEvent* event);

 signals:
  void pressed(int x, int y);
  void moved(int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};

}  // namespace platform
