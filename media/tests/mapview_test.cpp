// The map view both programs draw: the origin kept on the map, and the view
// walked from it, off-map cells black, a narrower view's remainder blank.
#include "media/mapview.h"

#include <gtest/gtest.h>

#include <array>

using namespace media;

TEST(MapView, ClampOriginKeepsTheViewOnTheMap) {
  const struct {
    int16_t origin;
    double span;
    int16_t last, want;
  } cases[] = {
      {5, 30, 99, 5},      // well inside
      {69, 30, 99, 69},    // the view's last column one short of the map's
      {80, 30, 99, 70},    // past the end: back to the last 30
      {-3, 30, 99, 0},     // before the first
      {4, 30, 19, 0},      // a map smaller than the view starts at 0
      {10, 29.5, 30, 2},   // the game's real spans round halves to even
      {10, 28.5, 30, 2},   // ... both ways
      {5, 30, -32768, 0},  // an origin beyond 16 bits is 0, not wrapped
  };
  for (const auto& c : cases)
    EXPECT_EQ(clampOrigin(c.origin, c.span, c.last), c.want)
        << c.origin << " " << c.span << " " << c.last;
}

// A 20 x 15 map of three kinds of cell, viewed from (-1, 2): the first
// column and the last rows and columns lie off it.
TEST(MapView, DrawsEachCellFromItsOriginAndPresentsWhatChanged) {
  constexpr std::array<uint32_t, 4> kColour = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000};
  Bitmap sheet(4 * kTile, kTile);
  for (int x = 0; x < sheet.width; ++x)
    for (int y = 0; y < kTile; ++y) sheet.set(x, y, kColour[static_cast<std::size_t>(x / kTile)]);
  const auto block = [&](int i) {
    const auto x = static_cast<int16_t>(i * kTile);
    return Layer{&sheet, x, 0, x, 0};
  };
  const Bitmap blank(kViewWidth, kViewHeight);
  Bitmap target(kViewWidth + 40, kViewHeight + 40, 0xFF123456);
  MapView view(target, blank, block(3));

  constexpr int kW = 20, kH = 15, x0 = -1, y0 = 2;
  std::array<int, kW * kH> kind{};
  for (int i = 0; i < kW * kH; ++i) kind[static_cast<std::size_t>(i)] = (i % kW + 2 * (i / kW)) % 3;
  const auto onMap = [](int x, int y) { return x >= 0 && y >= 0 && x < kW && y < kH; };
  const auto fill = [&](int x, int y, TileField::Stack& s) {
    s.push(block(kind[static_cast<std::size_t>(y * kW + x)]));
  };
  const auto draw = [&](int cols, int rows) { return view.draw(cols, rows, x0, y0, onMap, fill); };
  const auto colour = [&](int x, int y) {
    const int i = onMap(x, y) ? kind[static_cast<std::size_t>(y * kW + x)] : 3;
    return kColour[static_cast<std::size_t>(i)];
  };
  // Every pixel of the view: a cell's colour on the tiles walked, blank elsewhere.
  const auto shows = [&](int cols, int rows) {
    for (int py = 0; py < kViewHeight; ++py)
      for (int px = 0; px < kViewWidth; ++px) {
        const int k = px / kTile, r = py / kTile;
        const uint32_t want = k < cols && r < rows ? colour(x0 + k, y0 + r) : blank.at(px, py);
        if (target.at(px, py) != want) return false;
      }
    return true;
  };
  const Rect all{0, 0, kViewWidth, kViewHeight};

  EXPECT_EQ(draw(kViewCols, kViewRows), all);
  EXPECT_TRUE(shows(kViewCols, kViewRows));
  EXPECT_TRUE(draw(kViewCols, kViewRows).empty());
  kind[5 * kW + 5] = 1;  // was (5 + 2 * 5) % 3 = 0
  EXPECT_EQ(draw(kViewCols, kViewRows), (Rect{(5 - x0) * kTile, (5 - y0) * kTile, kTile, kTile}));
  EXPECT_TRUE(shows(kViewCols, kViewRows));
  // Narrower views leave the rest blank and are shown whole; the next whole
  // view draws again just what they left blank.
  const struct {
    int cols, rows;
    Rect redrawn;
  } narrower[] = {{5, 3, all},
                  {kViewCols, 3, {0, 3 * kTile, kViewWidth, kViewHeight - 3 * kTile}},
                  {5, kViewRows, {5 * kTile, 0, kViewWidth - 5 * kTile, kViewHeight}}};
  for (const auto& n : narrower) {
    EXPECT_EQ(draw(n.cols, n.rows), all);
    EXPECT_TRUE(shows(n.cols, n.rows)) << n.cols << " x " << n.rows;
    EXPECT_EQ(draw(kViewCols, kViewRows), n.redrawn);
    EXPECT_TRUE(shows(kViewCols, kViewRows));
  }
  // A wider one is shown whole too, but draws no more than the view.
  EXPECT_EQ(draw(kViewCols + 1, kViewRows + 1), all);
  EXPECT_TRUE(shows(kViewCols, kViewRows));
  EXPECT_TRUE(draw(kViewCols, kViewRows).empty());
  // Cleared, the view is blank, and the next frame draws every tile.
  EXPECT_EQ(view.clear(), all);
  EXPECT_TRUE(shows(0, 0));
  EXPECT_EQ(draw(kViewCols, kViewRows), all);
  EXPECT_TRUE(shows(kViewCols, kViewRows));
  // Beyond the view, target is never written.
  EXPECT_EQ(target.at(kViewWidth, 0), 0xFF123456u);
  EXPECT_EQ(target.at(0, kViewHeight), 0xFF123456u);
}
