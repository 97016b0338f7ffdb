// dibujar: composes the playing field from the sheets, tile by tile, into
// the drawing surface, then presents it. Each tile is a stack of masked
// figures; the field redraws only the tiles whose stack changed.
#include "game/main.h"

namespace game {

namespace {

media::Layer bloque(const media::Bitmap& sheet, int x, int y) {
  return {&sheet, static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(x),
          static_cast<int16_t>(y)};
}

// A figure facing `fila` (pixels), its mask in the right-hand column.
media::Layer figura(const media::Bitmap& sheet, int fila) {
  return {&sheet, static_cast<int16_t>(kTile), static_cast<int16_t>(fila), 0,
          static_cast<int16_t>(fila)};
}

}  // namespace

// Called by the tick (twice), the hero's rules, and the map loader.
void Main::dibujar() {
  const int columnas = static_cast<int>(vistaancho);
  const int filas = static_cast<int>(vistaalto);
  campo_.begin();
  // A view other than the whole field leaves the rest of the field white.
  const bool entero = columnas == kFieldWidth / kTile && filas == kFieldHeight / kTile;
  if (!entero) {
    media::copy(mainpic_, 0, 0, pics_.resp);
    campo_.invalidate();
  }
  media::TileField::Stack pila;
  for (int r = 0; r < filas; ++r) {
    const int y = mapay + r;
    for (int k = 0; k < columnas; ++k) {
      const int x = mapax + k;
      pila.count = 0;
      // Cells beyond a small map hold whatever an earlier map left there:
      // show them as plain black, with nothing on them.
      if (!enMapa(x, y)) {
        pila.push(bloque(pics_.terrenos, 0, kTile));
        campo_.draw(k, r, pila);
        continue;
      }
      const Casilla& c = casilla(x, y);
      // Codes outside 0 to 3 come only from hand-made files; they walk like
      // grass and are drawn as grass.
      const int suelo = static_cast<uint16_t>(c.terreno) <= 3 ? kTile * c.terreno : 0;
      pila.push(bloque(pics_.terrenos, suelo, 0));
      if (c.terreno == 3) {
        // The water shimmers: six ticks of sixteen ANDed with the second
        // tile. Otherwise the tile is ANDed with itself or with white,
        // which changes nothing.
        if (cuadro >= 5 && cuadro <= 10) pila.push(bloque(pics_.terrenos, suelo, kTile));
      }
      if (c.heroe) {
        if (!jugador.muerto) {
          pila.push(figura(pics_.yo, kTile * jugador.direccion));
        } else {
          pila.push(figura(pics_.sangre, 0));
        }
      }
      // A cell names a slot or -1, and a slot's kind is one the reader accepted.
      if (c.enemigo >= 0) {
        const Enemigo& e = listaenemigos[static_cast<std::size_t>(c.enemigo)];
        if (!e.muerto)
          pila.push(figura(pics_.enemigos[static_cast<std::size_t>(e.tipo)], kTile * e.direccion));
      }
      campo_.draw(k, r, pila);
    }
  }
  view_.present(entero ? campo_.changed() : media::Rect{0, 0, kFieldWidth, kFieldHeight});
}

}  // namespace game
