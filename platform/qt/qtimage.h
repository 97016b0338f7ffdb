// Pictures between Qt and our Bitmap. loadBitmap is called at start-up for
// the tile and figure sheets; toQImage by the windows to show a frame.
#pragma once

#include <QImage>
#include <QString>

#include "media/bitmap.h"

namespace platform {

// From a file or a ":/resource". Colours are kept exactly (pure white is
// 0xFFFFFFFF, pure black 0xFF000000); alpha is forced opaque. An unreadable
// picture gives an empty Bitmap.
media::Bitmap loadBitmap(const QString& path);

// A deep copy in Format_RGB32.
QImage toQImage(const media::Bitmap& bitmap);

}  // namespace platform
