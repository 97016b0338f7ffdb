// dibujar: composes the playing field from the sheets, tile by tile, into
// the drawing surface, then presents it as a whole.
#include "game/main.h"

namespace game {

void Main::par(const platform::Bitmap& sheet, int k, int r, int maskX, int maskY, int figX,
               int figY) {
  platform::drawMasked(mainpic_, kTile * k, kTile * r, sheet, maskX, maskY, figX, figY);
}

// Called by the tick (twice), the hero's rules, and the map loader.
void Main::dibujar() {
  platform::copy(mainpic_, 0, 0, pics_.resp);
  const int columnas = static_cast<int>(vistaancho);
  const int filas = static_cast<int>(vistaalto);
  for (int r = 0; r < filas; ++r) {
    const int y = mapay + r;
    for (int k = 0; k < columnas; ++k) {
      const int x = mapax + k;
      // Cells beyond a small map hold whatever an earlier map left there:
      // show them as plain black, with nothing on them.
      if (!enMapa(x, y)) {
        par(pics_.terrenos, k, r, 0, kTile, 0, kTile);
        continue;
      }
      const Casilla& c = casilla(x, y);
      // Codes outside 0 to 3 come only from hand-made files; they walk like
      // grass and are drawn as grass.
      const int suelo = static_cast<uint16_t>(c.terreno) <= 3 ? kTile * c.terreno : 0;
      par(pics_.terrenos, k, r, suelo, 0, suelo, 0);
      if (c.terreno == 3) {
        // The water shimmers: six ticks of sixteen with the second tile.
        int ax = suelo, ay = 0;
        if (cuadro >= 5 && cuadro <= 10) {
          ay = kTile;
        } else if (cuadro >= 11 && cuadro <= 16) {
          ax = kTile;
          ay = kTile;
        }
        par(pics_.terrenos, k, r, ax, ay, ax, ay);
      }
      if (c.heroe) {
        if (!jugador.muerto) {
          const int fila = kTile * jugador.direccion;
          par(pics_.yo, k, r, kTile, fila, 0, fila);
        } else {
          par(pics_.sangre, k, r, kTile, 0, 0, 0);
        }
      }
      // A cell names a slot or -1, and a slot's kind is one the reader accepted.
      if (c.enemigo >= 0) {
        const Enemigo& e = listaenemigos[static_cast<std::size_t>(c.enemigo)];
        if (!e.muerto) {
          const int fila = kTile * e.direccion;
          par(pics_.enemigos[static_cast<std::size_t>(e.tipo)], k, r, kTile, fila, 0, fila);
        }
      }
    }
  }
  view_.present();
}

}  // namespace game
