#include "platform/qt/qtimage.h"

#include <cstring>

namespace platform {

media::Bitmap loadBitmap(const QString& path) {
  QImage image(path);
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_RGB32);
  media::Bitmap bitmap(image.width(), image.height());
  for (int y = 0; y < bitmap.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    uint32_t* out =
        bitmap.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width);
    for (int x = 0; x < bitmap.width; ++x) out[x] = row[x] | 0xFF000000u;
  }
  return bitmap;
}

QImage toQImage(const media::Bitmap& bitmap) {
  if (bitmap.empty()) return {};
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
  const auto rowBytes = static_cast<size_t>(bitmap.width) * sizeof(uint32_t);
  for (int y = 0; y < bitmap.height; ++y)
    std::memcpy(image.scanLine(y),
                bitmap.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width),
                rowBytes);
  return image;
}

}  // namespace platform
