#include "assets/loadpictures.h"
#include "platform/win32/win32image.h"

namespace assets {

// The pictures are resources named after their files (see assets/CMakeLists.txt).
Pictures loadPictures() {
  using platform::loadPicture;
  Pictures p;
  p.terrenos = loadPicture(L"terrenos");
  p.yo = loadPicture(L"yo");
  p.sangre = loadPicture(L"sangre");
  p.enemigos[0] = loadPicture(L"enemigo0");
  p.enemigos[1] = loadPicture(L"enemigo1");
  p.enemigos[2] = loadPicture(L"enemigo2");
  p.resp = loadPicture(L"resp");
  p.derecha = loadPicture(L"derecha");
  p.abajo = loadPicture(L"abajo");
  return p;
}

}  // namespace assets
