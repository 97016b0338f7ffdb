// Pictures keep their exact colours between Bitmap, QImage and PNG files;
// the surface that shows them reports mouse positions in its own pixels.
#include "platform/qt/qtimage.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTemporaryDir>

#include "platform/qt/qtsurface.h"
#include "platform/testing/qtapp.h"

using platform::Bitmap;

namespace {

Bitmap sample() {
  Bitmap b(5, 3);
  const uint32_t colours[] = {0xFFFFFFFF, 0xFF000000, 0xFF123456, 0xFFFF0000,
                              0xFF00FF00, 0xFF0000FF, 0xFF010203};
  for (size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = colours[i % 7];
  return b;
}

}  // namespace

TEST(QtImage, ToQImageKeepsEveryPixel) {
  const Bitmap b = sample();
  const QImage image = platform::toQImage(b);
  ASSERT_EQ(image.format(), QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(5, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.pixel(x, y), b.at(x, y)) << x << "," << y;
  EXPECT_TRUE(platform::toQImage(Bitmap()).isNull());
}

TEST(QtImage, PngRoundTripIsExact) {
  QTemporaryDir dir;
  const Bitmap b = sample();
  const QString rgb = dir.filePath("rgb.png");
  ASSERT_TRUE(platform::toQImage(b).save(rgb));
  const Bitmap back = platform::loadBitmap(rgb);
  EXPECT_EQ(back.width, 5);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.pixels, b.pixels);

  // A PNG with an (opaque) alpha channel and one with a palette read the same.
  const QString argb = dir.filePath("argb.png"), indexed = dir.filePath("indexed.png");
  ASSERT_TRUE(platform::toQImage(b).convertToFormat(QImage::Format_ARGB32).save(argb));
  ASSERT_TRUE(platform::toQImage(b).convertToFormat(QImage::Format_Indexed8).save(indexed));
  EXPECT_EQ(platform::loadBitmap(argb).pixels, b.pixels);
  EXPECT_EQ(platform::loadBitmap(indexed).pixels, b.pixels);
}

TEST(QtImage, UnreadablePictureIsEmpty) {
  QTemporaryDir dir;
  EXPECT_TRUE(platform::loadBitmap(dir.filePath("missing.png")).empty());
  EXPECT_TRUE(platform::loadBitmap(QStringLiteral(":/no/such/resource.png")).empty());
  QFile junk(dir.filePath("junk.png"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("\x89PNG\r\n\x1a\n not really");
  junk.close();
  const Bitmap b = platform::loadBitmap(junk.fileName());
  EXPECT_TRUE(b.empty());
  EXPECT_TRUE(b.pixels.empty());
}

// At a fractional display scale positions fall between pixels: each is the
// pixel it lies in, so 599.6 is still the field's last column.
TEST(QtSurface, MousePositionsAreThePixelTheyFallIn) {
  testApp();
  const std::pair<QPointF, QPoint> cases[] = {
      {{599.6, 399.5}, {599, 399}}, {{0.4, 10.0}, {0, 10}}, {{-0.4, -20.5}, {-1, -21}}};
  for (const auto& [at, want] : cases) {
    const QMouseEvent event(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton,
                            Qt::NoModifier);
    EXPECT_EQ(platform::QtSurface::pixel(&event), want) << at.x();
  }
}
