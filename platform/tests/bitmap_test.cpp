// Raster transfers against a naive reference, pixel by pixel, clipped at
// every edge. (The end-to-end tests compare the masked figures the game
// draws with the screen.)
#include "platform/bitmap.h"

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
