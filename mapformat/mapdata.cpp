#include "mapformat/mapdata.h"

#include <algorithm>

namespace mapformat {

void MapData::reset(int16_t highestColumn, int16_t highestRow) {
  maxx = highestColumn;
  maxy = highestRow;
  info.clear();
  terrain.assign(static_cast<std::size_t>(width()) * static_cast<std::size_t>(height()), 0);
  px = py = 0;
  unitCount = 0;
  units.fill(Unit{});
}

bool MapData::operator==(const MapData& other) const {
  // Slots beyond the unit count hold nothing of the map.
  return maxx == other.maxx && maxy == other.maxy && info == other.info &&
         terrain == other.terrain && px == other.px && py == other.py &&
         unitCount == other.unitCount &&
         std::equal(units.begin(), units.begin() + unitCount, other.units.begin());
}

}  // namespace mapformat
