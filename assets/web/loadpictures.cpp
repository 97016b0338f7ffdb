#include "assets/loadpictures.h"
#include "platform/web/webpage.h"

namespace assets {

// The site ships the pictures beside the programs; the browser decoded
// them before the program started.
Pictures loadPictures() {
  Pictures p;
  for (const PictureFile& f : kPictureFiles) f.in(p) = platform::web::sitePicture(f.name);
  return p;
}

}  // namespace assets
