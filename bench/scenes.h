// The game states the benchmarks measure, shared by the rules' benchmarks
// and the whole-window one.
#pragma once

#include <string>

#include "game/main.h"
#include "mapformat/writer.h"

namespace bench {

// A 60 x 40 grass map with the hero at (20, 15) and all 101 enemies within
// four cells of him, in sight: 80 cells, so 21 of them hold two.
inline std::string fightMap() {
  mapformat::MapData map;
  map.reset(59, 39);
  map.px = 20;
  map.py = 15;
  for (int i = 0; map.unitCount < mapformat::kMaxUnits; ++i) {
    const int x = 16 + i % 9, y = 11 + (i / 9) % 9;
    if (x == 20 && y == 15) continue;
    map.units[static_cast<std::size_t>(map.unitCount++)] = {
        static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(i % 3)};
  }
  return mapformat::write(map);
}

// After the fight map loaded: neither side can die, so every tick is a
// fight. Called before each tick, as enemy strikes wear the hero down.
inline void keepFighting(game::Main& m) {
  m.jugador.vida = m.jugador.vidamax = 1 << 30;
  m.jugador.muerto = false;
  for (game::Enemigo& e : m.listaenemigos) e.vida = e.vidamax = 1 << 30;
}

// The worst frame the rules allow: water on every tile of the view, the
// hero and all 101 enemies in view, flying over it, and the water's second
// tile showing (cuadro 5 to 10).
inline void worstFrame(game::Main& m) {
  m.maxx = 59;
  m.maxy = 39;
  for (int y = 0; y <= m.maxy; ++y)
    for (int x = 0; x <= m.maxx; ++x) m.casilla(x, y) = game::Casilla{3, false, -1, false, true};
  m.mapax = 10;
  m.mapay = 5;
  m.casilla(25, 15).heroe = true;
  for (int i = 0; i < game::kSlots; ++i) {
    auto& e = m.listaenemigos[static_cast<std::size_t>(i)];
    e.activo = true;
    e.tipo = 1;
    e.direccion = static_cast<int16_t>(i % 8);
    const int cell = 5 * i + 2;  // every fifth tile of the view; never the hero's
    m.casilla(m.mapax + cell % 30, m.mapay + cell / 30).enemigo = static_cast<int16_t>(i);
  }
  m.cuadro = 7;
}

}  // namespace bench
