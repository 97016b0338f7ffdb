// The reader's fields, the writer's exact text and the round trip between
// them. What each reader accepts or refuses lies in cases/ as data.
#include "mapformat/reader.h"

#include <gtest/gtest.h>

#include <random>

#include "mapformat/writer.h"

using namespace mapformat;

TEST(Reader, ExampleEveryFieldBothReadersAndTheSameTextBack) {
  constexpr std::string_view kExample =
      "3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/unit//fin/";
  MapData want, map;
  want.reset(2, 1);
  want.info = "1";
  want.terrain = {0, 1, 3, 2, 0, 0};
  want.px = want.py = 1;
  want.unitCount = 2;
  want.units[0] = {2, 1, 1};
  for (Reader reader : {Reader::Game, Reader::Editor}) {
    ASSERT_EQ(read(kExample, reader, map), Fault::None);
    EXPECT_EQ(map, want);
    EXPECT_EQ(write(map), kExample);
  }
  // A map that was read and is reset is empty; equality looks at every
  // field but the slots beyond the unit count.
  map.reset(2, 1);
  EXPECT_EQ(write(map), "3,2/inf//fin/0,0,0,0,0,0,/fin/0,0/fin//fin/");
  EXPECT_EQ(map.units[0], Unit{});  // no stale unit behind the count either
  map = want;
  map.units[5] = {9, 9, 9};
  EXPECT_EQ(map, want);
  map.px = 2;
  EXPECT_NE(map, want);
}

// Save, reopen, save again: the map and the bytes come back unchanged, for
// maps the game reads and for any 16-bit codes and kinds, which only the
// editor keeps. Map and text are reused, as the programs reuse theirs.
TEST(RoundTrip, WriterTextReadsBackIdentically) {
  std::mt19937 rng(20261206);
  auto random = [&](int lo, int hi) {
    return static_cast<int16_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
  };
  MapData map, again;
  std::string text;
  for (auto [w, h] : {std::pair{1, 1}, {200, 200}, {31, 57}, {7, 300}})
    for (bool any : {false, true}) {
      map.reset(static_cast<int16_t>(w - 1), static_cast<int16_t>(h - 1));
      for (auto& c : map.terrain) c = any ? random(-32768, 32767) : random(0, 12);
      map.px = random(0, w - 1);
      map.py = random(0, h - 1);
      map.unitCount = random(0, kMaxUnits);
      for (int i = 0; i < map.unitCount; ++i)
        map.units[static_cast<std::size_t>(i)] = {random(0, 999), random(0, 999),
                                                  any ? random(-32768, 32767) : random(0, 2)};
      write(map, text);
      ASSERT_EQ(read(text, any ? Reader::Editor : Reader::Game, again), Fault::None);
      EXPECT_EQ(again, map);
    }
}
