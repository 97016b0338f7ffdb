// The hero's figures follow from his level alone.
#include <algorithm>
#include <limits>

#include "game/main.h"

namespace game {

namespace {

// Levels up to 327 never come near the 32-bit limits; higher ones come only
// from edited character files, and their figures stop at the limits instead
// of wrapping around.
int32_t saturar(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Floor division, as Int() of the real quotient gives it for negative levels.
// For b > 0: the truncated quotient, one less when a negative a leaves a remainder.
int64_t piso(int64_t a, int64_t b) { return a / b - (a % b < 0); }

// 100 x (1 + 2 + ... + n), 0 for n below 1. From n = 6554 on the sum is
// past the 32-bit limit; the bound keeps the product itself within 64 bits.
int32_t sumaniveles(int64_t n) {
  if (n < 1) return 0;
  if (n > 100000) return std::numeric_limits<int32_t>::max();
  return saturar(100 * n * (n + 1) / 2);
}

}  // namespace

int32_t Main::pisonivel(int32_t n) { return sumaniveles(int64_t{n} - 1); }

// Called after a character is loaded and after every level-up.
void Main::calcularnivel() {
  const int64_t n = jugador.nivel;
  jugador.defensa = saturar(piso(n, 5));
  jugador.ataque = saturar(piso(n, 3) + 5);
  jugador.expsiguiente = sumaniveles(n);
  jugador.vidamax = saturar(2 * n + 59);
  jugador.vida = jugador.vidamax;
  mostrarestado();
}

}  // namespace game
