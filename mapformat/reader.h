// The ".mapa" reader shared by the game and the editor.
//
// A map file is one line of 8-bit text:
//   W,H/inf/<number>/fin/<W*H codes, each followed by ",">/fin/px,py/fin/
//   <ex,ey:kind/unit/ ...>/fin/
// Reading cuts the text at the markers, converts every number and checks
// every bound before it reports success, so a caller never sees half a map.
#pragma once

#include <cstddef>
#include <string_view>

#include "mapformat/mapdata.h"

namespace mapformat {

// A 1000 x 1000 map takes about 2 MB; a larger file than this is no map.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// The game refuses enemy kinds other than 0 to 2; the editor keeps any
// 16-bit kind and writes it back unchanged.
enum class Reader { Game, Editor };

// Why a text is not a map. The first problem found is reported.
enum class Fault {
  None,
  Empty,         // no text at all
  MissingFin,    // fewer than three "/fin/" markers
  MissingInf,    // no "/inf/" before the first "/fin/"
  Header,        // fewer than two header numbers, or one is not a number
  Size,          // width or height outside 1 to 1000
  Cells,         // fewer than W*H cell codes
  CellNumber,    // a cell code that is not a 16-bit number
  Player,        // fewer than two player numbers, or one is not a number
  PlayerRange,   // player start outside 0 to 999
  UnitShape,     // a unit without ":" or without "," in its position
  UnitNumber,    // a unit number that is not a 16-bit number
  UnitRange,     // an enemy cell outside 0 to 999
  TooManyUnits,  // more than 101 units
  Kind,          // game only: a kind outside 0 to 2
};

// The fault's name as written here ("valid" for None): what the map
// cases' expected outcomes say.
const char* describe(Fault fault);

// Reads `text` into `out`. On success returns Fault::None and `out` holds
// the complete map; otherwise `out` is scratch with no meaning, so callers
// read into storage of their own and apply it only on success. `out`'s
// cell storage is reused between calls.
Fault read(std::string_view text, Reader reader, MapData& out);

}  // namespace mapformat
