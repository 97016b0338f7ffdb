#include "assets/loadpictures.h"
#include "platform/qt/qtimage.h"

namespace assets {

// The pictures are resources under ":/pictures/" (see assets/CMakeLists.txt).
Pictures loadPictures() {
  Pictures p;
  for (const PictureFile& f : kPictureFiles)
    f.in(p) = platform::loadBitmap(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(f.name)));
  return p;
}

}  // namespace assets
