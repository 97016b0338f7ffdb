#include "assets/loadpictures.h"
#include "platform/qt/qtimage.h"

namespace assets {

Pictures loadPictures() {
  using platform::loadBitmap;
  Pictures p;
  p.terrenos = loadBitmap(QStringLiteral(":/pictures/terrenos.png"));
  p.yo = loadBitmap(QStringLiteral(":/pictures/yo.png"));
  p.sangre = loadBitmap(QStringLiteral(":/pictures/sangre.png"));
  p.enemigos[0] = loadBitmap(QStringLiteral(":/pictures/enemigo0.png"));
  p.enemigos[1] = loadBitmap(QStringLiteral(":/pictures/enemigo1.png"));
  p.enemigos[2] = loadBitmap(QStringLiteral(":/pictures/enemigo2.png"));
  p.resp = loadBitmap(QStringLiteral(":/pictures/resp.png"));
  p.derecha = loadBitmap(QStringLiteral(":/pictures/derecha.png"));
  p.abajo = loadBitmap(QStringLiteral(":/pictures/abajo.png"));
  return p;
}

}  // namespace assets
