#include "mapformat/reader.h"

#include <gtest/gtest.h>

#include "mapformat/writer.h"

using namespace mapformat;

namespace {

constexpr std::string_view kExample =
    "3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/unit//fin/";

MapData mustRead(std::string_view text, Reader reader = Reader::Game) {
  MapData map;
  const Fault f = read(text, reader, map);
  EXPECT_EQ(f, Fault::None) << describe(f);
  return map;
}

// A W x H text of all-grass cells, hero at (0, 0), no units.
std::string grassMap(int w, int h) {
  std::string text = std::to_string(w) + "," + std::to_string(h) + "/inf//fin/";
  for (int i = 0; i < w * h; ++i) text += "0,";
  return text + "/fin/0,0/fin//fin/";
}

}  // namespace

TEST(Reader, ExampleMapEveryFieldBothReaders) {
  for (Reader reader : {Reader::Game, Reader::Editor}) {
    const MapData map = mustRead(kExample, reader);
    EXPECT_EQ(map.maxx, 2);
    EXPECT_EQ(map.maxy, 1);
    EXPECT_EQ(map.info, "1");
    ASSERT_EQ(map.terrain.size(), 6u);
    EXPECT_EQ(map.cell(0, 0), 0);
    EXPECT_EQ(map.cell(1, 0), 1);
    EXPECT_EQ(map.cell(2, 0), 3);
    EXPECT_EQ(map.cell(0, 1), 2);
    EXPECT_EQ(map.cell(1, 1), 0);
    EXPECT_EQ(map.cell(2, 1), 0);
    EXPECT_EQ(map.px, 1);
    EXPECT_EQ(map.py, 1);
    ASSERT_EQ(map.unitCount, 2);
    EXPECT_EQ(map.units[0], (Unit{2, 1, 1}));
    EXPECT_EQ(map.units[1], (Unit{0, 0, 0}));
  }
}

TEST(Reader, ExampleWrittenBackWithoutItsNumber) {
  MapData map = mustRead(kExample, Reader::Editor);
  map.info.clear();
  EXPECT_EQ(write(map), "3,2/inf//fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/unit//fin/");
}

TEST(Reader, UnitsPartVariants) {
  // No enemies: the player part is followed by two markers.
  EXPECT_EQ(mustRead("1,1/inf//fin/0,/fin/0,0/fin//fin/").unitCount, 0);
  // A last unit without its marker is dropped.
  MapData map = mustRead("3,2/inf//fin/0,0,0,0,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/fin/");
  ASSERT_EQ(map.unitCount, 1);
  EXPECT_EQ(map.units[0], (Unit{2, 1, 1}));
  // A lone unit without any marker is no unit at all.
  EXPECT_EQ(mustRead("1,1/inf//fin/0,/fin/0,0/fin/0,0:0/fin/").unitCount, 0);
  // Units on one cell, outside the map or on blocked ground are all kept.
  map = mustRead("2,1/inf//fin/2,3,/fin/0,0/fin/0,0:2/unit/0,0:1/unit/999,999:0/unit//fin/");
  EXPECT_EQ(map.unitCount, 3);
  EXPECT_EQ(map.units[2], (Unit{999, 999, 0}));
}

TEST(Reader, IgnoredExtras) {
  // A third header number, extra cells, a third player number, extra unit
  // pieces and anything after the fourth marker are never looked at.
  const MapData map = mustRead(
      "2,1,9/inf/7/inf/x/fin/1,2,3,zz,/fin/1,0,5/fin/1,0,8:2:9/unit/junk/fin/garbage/fin/");
  EXPECT_EQ(map.maxx, 1);
  EXPECT_EQ(map.maxy, 0);
  EXPECT_EQ(map.info, "7");
  EXPECT_EQ(map.terrain, (std::vector<int16_t>{1, 2}));
  EXPECT_EQ(map.px, 1);
  EXPECT_EQ(map.unitCount, 1);
  EXPECT_EQ(map.units[0], (Unit{1, 0, 2}));
}

TEST(Reader, GridLimits) {
  MapData map;
  EXPECT_EQ(read(grassMap(1000, 1000), Reader::Game, map), Fault::None);
  EXPECT_EQ(map.terrain.size(), 1000u * 1000u);
  EXPECT_EQ(read(grassMap(1001, 1), Reader::Game, map), Fault::Size);
  EXPECT_EQ(read(grassMap(1, 1001), Reader::Editor, map), Fault::Size);
  // 1000.5 less one is 999.5, which goes to the even 1000: too wide.
  EXPECT_EQ(read("1000.5,1/inf//fin/0,/fin/0,0/fin//fin/", Reader::Game, map), Fault::Size);
}

TEST(Reader, ScratchReusedAfterLargerMap) {
  MapData map;
  ASSERT_EQ(read(grassMap(40, 30), Reader::Game, map), Fault::None);
  ASSERT_EQ(read(kExample, Reader::Game, map), Fault::None);
  EXPECT_EQ(map.terrain.size(), 6u);
  EXPECT_EQ(map.cell(2, 0), 3);
  EXPECT_EQ(map.unitCount, 2);
}
