// What the hero does and becomes: regeneration, reviving, potions, the
// strike and what a kill yields.
#include <algorithm>
#include <limits>

#include "game/main.h"
#include "mapformat/numbers.h"

namespace game {

namespace {

constexpr int kPeriodoVida = 30;  // ticks per life point regained
constexpr int32_t kPocion = 20;   // life a potion gives
constexpr int16_t kEspera = 2;    // ticks of Space between two strikes
constexpr int32_t kCastigo = 25;  // experience lost per level when reviving

// Adds without wrapping; the figures stop at the 32-bit limits.
int32_t sumar(int32_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a + b, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The neighbour in each facing, 0 north-west clockwise to 7 west.
constexpr int kPasoX[] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kPasoY[] = {-1, -1, -1, 0, 1, 1, 1, 0};

}  // namespace

void Main::regenerar() {
  if (++contvida < kPeriodoVida) return;
  contvida = 0;
  if (!jugador.muerto && jugador.vida < jugador.vidamax) jugador.vida = sumar(jugador.vida, 1);
}

void Main::revivir() {
  jugador.vida = jugador.vidamax;
  jugador.muerto = false;
  jugador.pociones = 0;
  jugador.experiencia = sumar(jugador.experiencia, -int64_t{kCastigo} * jugador.nivel);
  jugador.experiencia = std::max(jugador.experiencia, pisonivel(jugador.nivel));
  dibujar();
}

// A dead hero may drink too: his life rises and he stays dead.
void Main::beberpocion() {
  if (jugador.pociones <= 0 || jugador.vida == jugador.vidamax) return;
  jugador.vida = std::min(sumar(jugador.vida, kPocion), std::max(jugador.vida, jugador.vidamax));
  --jugador.pociones;
  mostrarestado();
}

void Main::golpear() {
  jugador.destx = jugador.x;
  jugador.desty = jugador.y;
  jugador.espera = kEspera;
  const int x = std::max(jugador.x + kPasoX[jugador.direccion], 0);
  const int y = std::max(jugador.y + kPasoY[jugador.direccion], 0);
  if (x > maxx || y > maxy) return;
  // A cell names a live enemy of this map, or -1.
  const int16_t e = casilla(x, y).enemigo;
  if (e < 0) return;
  Enemigo& enemigo = listaenemigos[static_cast<std::size_t>(e)];

  const int64_t dano = std::max<int64_t>(int64_t{jugador.ataque} - enemigo.defensa, 1);
  enemigo.vida = sumar(enemigo.vida, -dano);
  if (enemigosel == e) mostrarenemigo();
  sonar(kGolpe);
  if (enemigo.vida > 0) return;

  // The kill, in this order.
  enemigo.vida = 0;
  if (enemigosel == e) {
    enemigosel = -1;
    mostrarenemigo();
  }
  s_.random.seedFromClock();
  const int r = static_cast<int>(s_.random.next() * 10);
  --enemigosrestantes;
  textoEnemigos_ = "Enemigos: ";
  mapformat::appendText(textoEnemigos_, enemigosrestantes);
  view_.setCaption(Etiqueta::nenemigos, textoEnemigos_);
  if (r == 4 || r == 5) jugador.pociones = sumar(jugador.pociones, 1);
  enemigo.muerto = true;
  quedanen(enemigo.x, enemigo.y);
  jugador.experiencia = sumar(jugador.experiencia, enemigo.experiencia);
  mostrarestado();
  // At most one level per kill.
  if (jugador.experiencia >= jugador.expsiguiente) {
    jugador.nivel = sumar(jugador.nivel, 1);
    calcularnivel();
    dibujar();
  }
  if (enemigosrestantes == 0) siguientemapa();
}

}  // namespace game
