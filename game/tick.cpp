// One tick of play, every 100 ms: keys, the hero's actions, his move, the
// enemies' turn, drawing and labels, always in this order.
#include <utility>

#include "game/main.h"
#include "mapformat/numbers.h"
#include "platform/layout.h"
#include "platform/texts.h"

namespace game {

namespace vk = platform::vk;

namespace {

// The view origin is a real number in the rules (the view is 30 by 20
// tiles); the grid keeps it within 16 bits.
int16_t origen(double v) { return mapformat::roundToInt16(v).value_or(0); }

}  // namespace

// Called by the window every 100 ms.
void Main::maintimer_Timer() {
  sonadoEnTick_ = {};
  if (!conjugador || !conmapa) return;
  regenerar();
  if (++cuadro == 16) cuadro = 0;

  // Each key is asked once, in this order.
  const bool izq = s_.keys.pressed(vk::Left);
  const bool der = s_.keys.pressed(vk::Right);
  const bool arr = s_.keys.pressed(vk::Up);
  const bool aba = s_.keys.pressed(vk::Down);
  const bool espacio = s_.keys.pressed(vk::Space);
  const bool h = s_.keys.pressed(vk::H);
  const bool r = s_.keys.pressed(vk::R);
  const bool g = s_.keys.pressed(vk::G);

  if (g) mnuguardar_Click();
  if (r && jugador.muerto) revivir();
  if (h) beberpocion();
  if (!jugador.muerto && espacio) {
    if (jugador.espera > 0) {
      --jugador.espera;
    } else {
      golpear();
    }
  }

  if (!jugador.muerto) {
    // The first rule whose keys are all held wins.
    struct Regla {
      bool activa;
      int16_t direccion, dx, dy;
    };
    const Regla reglas[] = {
        {izq && arr, kNoroeste, -1, -1},
        {arr && der, kNoreste, 1, -1},
        {der && aba, kSureste, 1, 1},
        {aba && izq, kSuroeste, -1, 1},
        {arr, kNorte, 0, -1},
        {der, kEste, 1, 0},
        {aba, kSur, 0, 1},
        {izq, kOeste, -1, 0},
    };
    for (const Regla& regla : reglas) {
      if (!regla.activa) continue;
      jugador.direccion = regla.direccion;
      jugador.destx = static_cast<int16_t>(jugador.x + regla.dx);
      jugador.desty = static_cast<int16_t>(jugador.y + regla.dy);
      break;
    }
  }

  dibujar();
  // Pushing against the edge of the map freezes the rest of the tick.
  if (jugador.destx < 0 || jugador.destx > maxx || jugador.desty < 0 || jugador.desty > maxy)
    return;

  Casilla& destino = casilla(jugador.destx, jugador.desty);
  if (!destino.ocupada && !destino.bloqueada) {
    const int16_t dejax = jugador.x, dejay = jugador.y;
    casilla(dejax, dejay).heroe = false;
    destino.heroe = true;
    destino.ocupada = true;
    jugador.x = jugador.destx;
    jugador.y = jugador.desty;
    quedanen(dejax, dejay);
    centrarvista();
  }

  turnoenemigos();

  platform::setPairText(textoExy_, "Persona ", jugador.x, jugador.y);
  view_.setCaption(Etiqueta::exy, textoExy_);
  dibujar();
  mostrarestado();
  platform::setPairText(textoMapa_, platform::kPrefijoMapa, mapax, mapay);
  view_.setCaption(Etiqueta::labmapa, textoMapa_);
}

// Several enemies striking the fallen hero in one turn ask for his death
// sound each time: played again, it would restart at every strike and stutter
// before it is heard. A different sound still replaces the one playing.
void Main::sonar(Sonido sonido) {
  if (std::exchange(sonadoEnTick_[sonido], true)) return;
  s_.sound.play(sonidos_[sonido]);
}

void Main::centrarvista() {
  mapax = origen(jugador.x - vistaancho / 2);
  mapay = origen(jugador.y - vistaalto / 2);
  ajustarvista();
}

void Main::ajustarvista() {
  mapax = media::clampOrigin(mapax, vistaancho, maxx);
  mapay = media::clampOrigin(mapay, vistaalto, maxy);
}

}  // namespace game
