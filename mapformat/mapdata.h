// One level as stored in a ".mapa" file: what the readers produce and the
// writer consumes. Pure file data; each program applies it to its own state.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mapformat {

// The enemy kinds a unit may be, by number: both programs name them so.
inline constexpr std::array<const char*, 3> kNombresTipos = {"Mancha asesina", "Rata voladora",
                                                             "Borrego mutante"};

inline constexpr int kGridSize = 1000;  // highest index of any coordinate is 999
inline constexpr int kMaxUnits = 101;   // enemy slots 0 to 100

struct Unit {
  int16_t x = 0;
  int16_t y = 0;
  int16_t kind = 0;
  bool operator==(const Unit&) const = default;
};

struct MapData {
  int16_t maxx = 0;              // highest column index (width - 1)
  int16_t maxy = 0;              // highest row index (height - 1)
  std::string info;              // the map's number in the level sequence, or empty
  std::vector<int16_t> terrain;  // (maxx + 1) * (maxy + 1) codes, row by row
  int16_t px = 0;                // hero's start cell
  int16_t py = 0;
  int16_t unitCount = 0;
  std::array<Unit, kMaxUnits> units{};

  int width() const { return maxx + 1; }
  int height() const { return maxy + 1; }
  int16_t cell(int x, int y) const { return terrain[static_cast<std::size_t>(x + width() * y)]; }
  int16_t& cell(int x, int y) { return terrain[static_cast<std::size_t>(x + width() * y)]; }

  // An empty map of the given highest indexes, all grass, no units.
  void reset(int16_t highestColumn, int16_t highestRow);

  bool operator==(const MapData& other) const;
};

}  // namespace mapformat
