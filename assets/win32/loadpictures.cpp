#include "assets/loadpictures.h"
#include "platform/win32/text.h"
#include "platform/win32/win32image.h"

namespace assets {

// The pictures are resources named after their files (see assets/CMakeLists.txt).
Pictures loadPictures() {
  Pictures p;
  for (const PictureFile& f : kPictureFiles)
    f.in(p) = platform::loadPicture(platform::wide(f.name).c_str());
  return p;
}

}  // namespace assets
