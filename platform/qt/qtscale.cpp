#include "platform/qt/qtscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/private/qhighdpiscaling_p.h>

#include "platform/scale.h"

namespace platform {

namespace {

constexpr char kAsked[] = "tarnwickScaleAsked";

// The scale the desktop asks of this screen (the X server's DPI,
// QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) is read once. Qt has no public
// way to make a screen's ratio whole; its ratio is QT_SCALE_FACTOR times a
// screen factor that, once set, stands in for the one the DPI gives. So the
// screen factor is set to what makes the product k.
void makeWhole(QScreen* screen, Extent content) {
  QVariant asked = screen->property(kAsked);
  if (!asked.isValid()) {
    asked = screen->devicePixelRatio();
    screen->setProperty(kAsked, asked);
  }
  // Any factor but 1 is taken (1 alone is "none set"): what it gives, halved, is QT_SCALE_FACTOR.
  QHighDpiScaling::setScreenFactor(screen, 2.0);
  const qreal base = screen->devicePixelRatio() / 2;
  const QSize room = screen->availableGeometry().size() * screen->devicePixelRatio();
  const int k = wholeScale(asked.toDouble(), content, {room.width(), room.height()});
  QHighDpiScaling::setScreenFactor(screen, k / base);
}

}  // namespace

void showCrisp(QWidget& window) {
  window.adjustSize();
  const QSize size = window.sizeHint();
  const Extent content{size.width(), size.height()};
  for (QScreen* screen : QGuiApplication::screens()) makeWhole(screen, content);
  QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &window,
                   [content](QScreen* screen) { makeWhole(screen, content); });
  window.show();
}

}  // namespace platform
