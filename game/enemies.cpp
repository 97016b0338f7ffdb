// The enemies' turn: every living enemy that sees the hero turns to him,
// walks one step towards him, and strikes when it stands next to him.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "game/main.h"

namespace game {

namespace {

constexpr int kVista = 4;       // cells, on both axes
constexpr int16_t kEspera = 2;  // turns between two strikes

// Facing towards the hero from his offset, row by row: index
// 3 x (sign of dy + 1) + sign of dx + 1. None when they share a cell.
constexpr int16_t kHacia[] = {
    kNoroeste, kNorte, kNoreste,  //
    kOeste,    -1,     kEste,     //
    kSuroeste, kSur,   kSureste,
};

int signo(int v) { return (v > 0) - (v < 0); }

}  // namespace

// Enemy i steps into (x, y) if no one stands there and it may walk or fly there.
void Main::pisar(Enemigo& e, int i, int16_t x, int16_t y) {
  Casilla& entra = casilla(x, y);
  if (entra.ocupada || (entra.bloqueada && !e.vuela)) return;
  const int16_t dejax = e.x, dejay = e.y;
  e.x = x;
  e.y = y;
  entra.ocupada = true;
  entra.enemigo = static_cast<int16_t>(i);
  quedanen(dejax, dejay);
}

// Hand-made maps may put several units on one cell. Once one of them leaves
// or dies, the cell records the first live enemy still standing there and
// stays occupied while anyone does, so no enemy is ever hidden or unkillable.
void Main::quedanen(int16_t x, int16_t y) {
  Casilla& c = casilla(x, y);
  c.enemigo = -1;
  for (int k = 0; k < kMaxUnits; ++k) {
    const Enemigo& otro = listaenemigos[static_cast<std::size_t>(k)];
    if (!otro.activo) break;
    if (!otro.muerto && otro.x == x && otro.y == y) {
      c.enemigo = static_cast<int16_t>(k);
      break;
    }
  }
  c.ocupada = c.heroe || c.enemigo >= 0;
}

// Called by the tick, in play only, once the hero has moved.
void Main::turnoenemigos() {
  if (jugador.muerto) return;
  for (int i = 0; i < kMaxUnits; ++i) {
    Enemigo& e = listaenemigos[static_cast<std::size_t>(i)];
    if (!e.activo) return;  // the list ends at the first free slot
    if (e.muerto) continue;
    const int dx = jugador.x - e.x, dy = jugador.y - e.y;
    if (std::abs(dx) > kVista || std::abs(dy) > kVista) continue;
    const int16_t hacia = kHacia[3 * (signo(dy) + 1) + signo(dx) + 1];
    if (hacia >= 0) e.direccion = hacia;

    if (std::abs(dx) > 1 || std::abs(dy) > 1) {
      // Column first, then row, so a turn may take one diagonal step.
      if (dx != 0) {
        e.destx = static_cast<int16_t>(e.x + signo(dx));
        pisar(e, i, e.destx, e.y);
      }
      if (jugador.y != e.y) {
        e.desty = static_cast<int16_t>(e.y + signo(jugador.y - e.y));
        pisar(e, i, e.x, e.desty);
      }
      continue;
    }

    if (e.espera != 0) {
      --e.espera;
      continue;
    }
    e.espera = kEspera;
    const int64_t dano = std::max<int64_t>(int64_t{e.ataque} - jugador.defensa, 1);
    jugador.vida = static_cast<int32_t>(
        std::max<int64_t>(int64_t{jugador.vida} - dano, std::numeric_limits<int32_t>::min()));
    // The status shows the new life when the tick ends.
    if (jugador.vida < 1) {
      // The turn goes on: later enemies still walk and strike, and each
      // strike on the fallen hero asks for the death sound again (heard once).
      jugador.vida = 0;
      jugador.muerto = true;
      sonar(kMuerte);
    }
  }
}

}  // namespace game
