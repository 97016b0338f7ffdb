// Save, reopen, save again: the map and the bytes must come back unchanged.
#include <gtest/gtest.h>

#include <random>

#include "mapformat/reader.h"
#include "mapformat/writer.h"

using namespace mapformat;

namespace {

MapData randomMap(std::mt19937& rng, int w, int h, bool oddValues) {
  MapData map;
  map.reset(static_cast<int16_t>(w - 1), static_cast<int16_t>(h - 1));
  std::uniform_int_distribution<int> code(0, 3), coord(0, 999), odd(-32768, 32767);
  for (auto& c : map.terrain) c = static_cast<int16_t>(oddValues ? odd(rng) : code(rng));
  map.px = static_cast<int16_t>(coord(rng) % w);
  map.py = static_cast<int16_t>(coord(rng) % h);
  map.unitCount = static_cast<int16_t>(coord(rng) % (kMaxUnits + 1));
  for (int i = 0; i < map.unitCount; ++i)
    map.units[static_cast<std::size_t>(i)] =
        Unit{static_cast<int16_t>(coord(rng)), static_cast<int16_t>(coord(rng)),
             static_cast<int16_t>(oddValues ? odd(rng) : code(rng) % 3)};
  return map;
}

}  // namespace

TEST(RoundTrip, WriterTextReadsBackIdentically) {
  std::mt19937 rng(20261206);
  const int sizes[][2] = {{1, 1}, {30, 20}, {31, 57}, {200, 200}, {7, 300}};
  for (const auto& s : sizes) {
    for (bool odd : {false, true}) {
      const MapData original = randomMap(rng, s[0], s[1], odd);
      const std::string text = write(original);
      MapData reread;
      const Fault f = read(text, Reader::Editor, reread);
      ASSERT_EQ(f, Fault::None) << describe(f) << " for " << s[0] << "x" << s[1];
      EXPECT_EQ(reread, original);
      EXPECT_EQ(write(reread), text) << "bytes differ after a second save";
      if (!odd) {
        MapData game;
        EXPECT_EQ(read(text, Reader::Game, game), Fault::None);
        EXPECT_EQ(game, original);
      }
    }
  }
}

TEST(RoundTrip, ExactTextOfASmallMap) {
  MapData map;
  map.reset(29, 19);
  map.cell(0, 0) = 3;
  map.cell(29, 19) = 2;
  map.px = 5;
  map.py = 7;
  const std::string text = write(map);
  std::string cells = "3,";
  for (int i = 1; i < 599; ++i) cells += "0,";
  cells += "2,";
  EXPECT_EQ(text, "30,20/inf//fin/" + cells + "/fin/5,7/fin//fin/");

  map.unitCount = 2;
  map.units[0] = {12, 3, 0};
  map.units[1] = {0, 19, 2};
  EXPECT_EQ(write(map), "30,20/inf//fin/" + cells + "/fin/5,7/fin/12,3:0/unit/0,19:2/unit//fin/");
}

TEST(RoundTrip, NumberedMapKeepsItsNumber) {
  const std::string text = "3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/unit//fin/";
  MapData map;
  ASSERT_EQ(read(text, Reader::Game, map), Fault::None);
  EXPECT_EQ(write(map), text);
}
