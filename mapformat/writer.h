// The ".mapa" writer: the exact text the editor saves.
#pragma once

#include <string>

#include "mapformat/mapdata.h"

namespace mapformat {

// Appends the text of `map` to `out` (cleared first). The info part is
// written as held; the editor keeps it empty.
void write(const MapData& map, std::string& out);
std::string write(const MapData& map);

}  // namespace mapformat
