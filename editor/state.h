// The editor's records. All 16-bit, as the map file's numbers are.
#pragma once

#include <cstdint>

#include "mapformat/mapdata.h"
#include "media/bitmap.h"
#include "media/mapview.h"

namespace editor {

using mapformat::kGridSize;
using mapformat::kMaxUnits;
using media::kTile;
using media::kViewHeight;
using media::kViewWidth;

// Palette tools.
enum Modo : int16_t { kNinguno = -1, kTerreno = 0, kJugador = 1, kEnemigo = 2 };

struct Celda {
  int16_t terreno = 0;
  bool hayenemigo = false;
  int16_t tipoenemigo = 0;  // kind of the enemy shown here, -1 for none
  bool esjugador = false;
};

struct Colocacion {
  int16_t tipo = 0;
  int16_t x = 0;
  int16_t y = 0;
  bool activo = false;
};

}  // namespace editor
