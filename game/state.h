// The game's records and fixed sizes. Widths are those of the saved files
// and the rules: 16-bit for coordinates, indexes, counters, kinds and facing;
// 32-bit for life, attack, defense, level, experience and potions.
#pragma once

#include <cstdint>
#include <string>

#include "mapformat/mapdata.h"
#include "media/bitmap.h"
#include "media/mapview.h"

namespace game {

using mapformat::kGridSize;  // the grid is kGridSize x kGridSize cells
using mapformat::kMaxUnits;  // enemy slots
using media::kTile;          // pixels per tile side
using media::kViewHeight;    // the playing field, in pixels
using media::kViewWidth;
// The drawing surface: the field, the right panel (derecha) beside it and
// the bottom panel (abajo) below it.
inline constexpr int kPanelDerecho = 120;  // the right panel's width
inline constexpr int kPanelAbajo = 100;    // the bottom panel's height
inline constexpr int kSurfaceWidth = kViewWidth + kPanelDerecho;
inline constexpr int kSurfaceHeight = kViewHeight + kPanelAbajo;

// Facing, also the row of every figure sheet.
enum Direccion : int16_t {
  kNoroeste = 0,
  kNorte = 1,
  kNoreste = 2,
  kEste = 3,
  kSureste = 4,
  kSur = 5,
  kSuroeste = 6,
  kOeste = 7,
};

struct Jugador {
  std::string nombre;
  int32_t vida = 0;
  int32_t vidamax = 0;
  int32_t ataque = 0;
  int32_t nivel = 0;
  int32_t experiencia = 0;
  int32_t expsiguiente = 0;
  int16_t x = 0, y = 0;
  int16_t destx = 0, desty = 0;
  int32_t defensa = 0;
  int16_t espera = 0;
  int16_t direccion = 0;
  int32_t pociones = 0;
  bool muerto = false;
};

struct Casilla {
  int16_t terreno = 0;
  bool ocupada = false;
  int16_t enemigo = 0;  // slot of the live enemy standing here, -1 for none
  bool heroe = false;
  bool bloqueada = false;
};

struct Enemigo {
  std::string nombre;
  int16_t tipo = 0;
  int32_t vida = 0;
  int32_t vidamax = 0;
  int32_t ataque = 0;
  int32_t defensa = 0;
  int16_t espera = 0;
  int32_t experiencia = 0;
  int16_t x = 0, y = 0;
  int16_t destx = 0, desty = 0;
  int16_t direccion = 0;
  bool activo = false;
  bool muerto = false;
  bool vuela = false;
};

struct TipoEnemigo {
  const char* nombre = "";
  int32_t vida = 0;
  int32_t experiencia = 0;
  int32_t ataque = 0;
  int32_t defensa = 0;
  bool vuela = false;
};

}  // namespace game
