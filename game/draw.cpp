// dibujar: composes the playing field from the sheets, tile by tile, into
// the drawing surface, then presents what changed. Each cell of the map is a
// stack of masked figures; the view (media/mapview.h) does the rest.
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
  // Cells beyond a small map hold whatever an earlier map left there: the
  // view shows them as plain black, with nothing on them.
  const auto enElMapa = [this](int x, int y) { return enMapa(x, y); };
  const auto capas = [this](int x, int y, media::TileField::Stack& pila) {
    const Casilla& c = casilla(x, y);
    // Codes outside 0 to 3 walk like grass, and are drawn as grass.
    const int suelo = media::groundX(c.terreno);
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
  };
  view_.present(campo_.draw(static_cast<int>(vistaancho), static_cast<int>(vistaalto), mapax, mapay,
                            enElMapa, capas));
}

}  // namespace game
