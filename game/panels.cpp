// The hero's status text, the enemy inspection panel and the mouse press
// that picks the enemy to inspect.
#include "game/main.h"
#include "mapformat/numbers.h"

namespace game {

using mapformat::appendText;

void Main::caption(Etiqueta label, std::string& buffer) { view_.setCaption(label, buffer); }

// Called after any change of the hero's shown values.
void Main::mostrarestado() {
  std::string& t = textoEstado_;
  t.clear();
  t += "Nombre: ";
  t += jugador.nombre;
  t += " - Nivel ";
  appendText(t, jugador.nivel);
  t += "\r\nVida: ";
  appendText(t, jugador.vida);
  t += '/';
  appendText(t, jugador.vidamax);
  t += " - Pociones: ";
  appendText(t, jugador.pociones);
  t += "\r\nAtaque: ";
  appendText(t, jugador.ataque);
  t += "\r\nDefensa: ";
  appendText(t, jugador.defensa);
  t += "\r\nExperiencia: ";
  appendText(t, jugador.experiencia);
  t += '/';
  appendText(t, jugador.expsiguiente);
  caption(Etiqueta::nombre, t);
}

// Called by a press on the field and by the hero's strike on the selected enemy.
// The panel's picture never changes: only its labels are new.
void Main::mostrarenemigo() {
  view_.present({});
  for (auto& t : textoEnemigo_) t.clear();
  if (enemigosel >= 0) {
    const Enemigo& e = listaenemigos[static_cast<std::size_t>(enemigosel)];
    textoEnemigo_[0] = e.nombre;
    textoEnemigo_[1] = "Vida: ";
    appendText(textoEnemigo_[1], e.vida);
    textoEnemigo_[1] += '/';
    appendText(textoEnemigo_[1], e.vidamax);
    textoEnemigo_[2] = "Ataque: ";
    appendText(textoEnemigo_[2], e.ataque);
    textoEnemigo_[3] = "Defensa: ";
    appendText(textoEnemigo_[3], e.defensa);
  }
  caption(Etiqueta::enedata0, textoEnemigo_[0]);
  caption(Etiqueta::enedata1, textoEnemigo_[1]);
  caption(Etiqueta::enedata2, textoEnemigo_[2]);
  caption(Etiqueta::enedata3, textoEnemigo_[3]);
}

// A press anywhere on the drawing surface; x and y in pixels from its corner.
// Any button selects.
void Main::mainpic_MouseDown(int x, int y) {
  if (!conmapa || !conjugador) return;
  if (x < 0 || y < 0 || x >= kViewWidth || y >= kViewHeight) return;
  const int columna = x / kTile + mapax;
  const int fila = y / kTile + mapay;
  // Outside the loaded map a cell may still name an enemy of an earlier map.
  enemigosel = enMapa(columna, fila) ? casilla(columna, fila).enemigo : int16_t{-1};
  mostrarenemigo();
}

}  // namespace game
