// Raster transfers against a naive reference, pixel by pixel, clipped at
// every edge. (The end-to-end tests compare the masked figures the game
// draws with the screen.)
#include "platform/bitmap.h"
#include "platform/tilefield.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

using namespace platform;

TEST(Bitblt, MatchesTheReferenceAtEveryEdge) {
  const auto pattern = [](int w, int h, uint32_t seed) {
    Bitmap b(w, h);
    for (auto& p : b.pixels) p = 0xFF000000u | ((seed = seed * 1664525u + 1013904223u) >> 8);
    return b;
  };
  const Bitmap src = pattern(23, 17, 1), start = pattern(31, 19, 2);
  // Defined per destination pixel, in 64 bits; no rop is a plain copy. NOT
  // of an opaque source has alpha 0, and the result stays opaque all the same.
  const auto reference = [&](long long dx, long long dy, long long sx, long long sy,
                             std::optional<Rop> rop, long long w, long long h) {
    Bitmap dst = start;
    for (int y = 0; y < dst.height; ++y)
      for (int x = 0; x < dst.width; ++x) {
        const long long i = x - dx, j = y - dy, u = sx + i, v = sy + j;
        if (i < 0 || j < 0 || i >= w || j >= h || u < 0 || v < 0 || u >= 23 || v >= 17) continue;
        const uint32_t d = dst.at(x, y), s = src.at(int(u), int(v));
        dst.set(x, y, !rop ? s : (*rop == Rop::MergePaint ? d | ~s : d & s) | 0xFF000000u);
      }
    return dst.pixels;
  };
  for (int dx : {INT_MIN, -21, -20, -19, -1, 0, 1, 10, 29, 30, 31, INT_MAX})
    for (int dy : {INT_MIN, -17, -3, 0, 2, 18, 19, INT_MAX}) {
      Bitmap got = start;
      platform::copy(got, dx, dy, src);
      ASSERT_EQ(got.pixels, reference(dx, dy, 0, 0, std::nullopt, 23, 17)) << dx << "," << dy;
      for (Rop rop : {Rop::MergePaint, Rop::SrcAnd})
        for (int sx : {INT_MIN, -21, -5, 0, 3, 22, 23})
          for (int sy : {-2, 0, 16, 30, INT_MAX})
            for (int w : {INT_MIN, 0, 1, 20, 37, INT_MAX}) {
              const int h = w == 37 ? 5 : w;
              got = start;
              platform::bitblt(got, dx, dy, src, sx, sy, rop, w, h);
              ASSERT_EQ(got.pixels, reference(dx, dy, sx, sy, rop, w, h)) << dx << " " << dy;
            }
    }
  // Width and height are public: pixels that do not cover them are never touched.
  Bitmap got = start, broken;
  broken.width = broken.height = 20;
  platform::bitblt(broken, 0, 0, src, 0, 0, Rop::MergePaint);
  platform::bitblt(got, 0, 0, broken, 0, 0, Rop::MergePaint);
  platform::copy(got, 0, 0, broken);
  EXPECT_TRUE(broken.pixels.empty() && got.pixels == start.pixels);
}

// Random stacks over several frames, against the plain passes from scratch:
// on a white and on a patterned background, with blocks past a sheet's edge
// and a sheet that failed to load. Every pixel that changed lies in changed().
TEST(TileField, MatchesThePlainPassesAndReportsWhatChanged) {
  uint32_t seed = 7;
  const auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  // Sheets of black, white and colours, as masks and figures are.
  Bitmap sheets[2] = {Bitmap(80, 60), Bitmap(40, 40)};
  for (Bitmap& s : sheets)
    for (auto& p : s.pixels) p = 0xFF000000u | (next() % 3 == 0 ? 0 : next() % 2 ? 0xFFFFFF : next());
  const Bitmap empty;
  for (bool white : {true, false}) {
    Bitmap background(100, 60);
    if (!white)
      for (auto& p : background.pixels) p = 0xFF000000u | next();
    Bitmap target(110, 70, 0xFF123456), before = target;
    TileField field(target, background, 5, 3);
    std::vector<TileField::Stack> stacks(15);
    for (int frame = 0; frame < 40; ++frame) {
      for (auto& st : stacks) {
        if (frame > 0 && next() % 3) continue;  // most tiles stay as they were
        st.count = 0;
        for (int n = 1 + static_cast<int>(next() % 4); n > 0; --n) {
          const Bitmap* sheet = next() % 9 == 0 ? &empty : &sheets[next() % 2];
          const auto at = [&](int side) { return static_cast<int16_t>(static_cast<int>(next() % (side / 10 + 1)) * 10 - 5); };
          st.push({sheet, at(sheet->width), at(sheet->height), at(sheet->width), at(sheet->height)});
        }
      }
      field.begin();
      for (int i = 0; i < 15; ++i) field.draw(i % 5, i / 5, stacks[static_cast<std::size_t>(i)]);
      Bitmap want = before;
      platform::copy(want, 0, 0, background);
      for (int i = 0; i < 15; ++i)
        for (int l = 0; l < stacks[static_cast<std::size_t>(i)].count; ++l) {
          const Layer& y = stacks[static_cast<std::size_t>(i)].layers[static_cast<std::size_t>(l)];
          drawMasked(want, 20 * (i % 5), 20 * (i / 5), *y.sheet, y.maskX, y.maskY, y.figX, y.figY);
        }
      const Rect c = field.changed();
      for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
          const bool outside = x < c.x || y < c.y || x >= c.x + c.w || y >= c.y + c.h;
          // The first frame also paints the background beneath the tiles.
          ASSERT_EQ(target.at(x, y), x < 100 && y < 60 ? want.at(x, y) : 0xFF123456u) << white << frame;
          if (frame > 0 && outside) {
            ASSERT_EQ(target.at(x, y), before.at(x, y)) << frame;
          }
        }
      before = target;
    }
  }
}
