// Raster transfers checked pixel by pixel: the truth tables, the sprite
// drawing the game does, and clipping against a naive reference.
#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <climits>

using platform::Bitmap;
using platform::Rop;

namespace {

constexpr uint32_t White = 0xFFFFFFFF, Black = 0xFF000000;

uint32_t blitOne(uint32_t d, uint32_t s, Rop rop) {
  Bitmap dst(1, 1, d), src(1, 1, s);
  platform::bitblt(dst, 0, 0, src, 0, 0, rop, 1, 1);
  return dst.at(0, 0);
}

// Straightforward per-pixel definition of a clipped transfer.
void referenceBlit(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, Rop rop, int w,
                   int h) {
  for (long long j = 0; j < h; ++j)
    for (long long i = 0; i < w; ++i) {
      const long long x = dx + i, y = dy + j, u = sx + i, v = sy + j;
      if (x < 0 || y < 0 || x >= dst.width || y >= dst.height) continue;
      if (u < 0 || v < 0 || u >= src.width || v >= src.height) continue;
      const uint32_t d = dst.at(int(x), int(y)), s = src.at(int(u), int(v));
      dst.set(int(x), int(y), (rop == Rop::MergePaint ? (d | ~s) : (d & s)) | 0xFF000000u);
    }
}

Bitmap pattern(int w, int h, uint32_t seed) {
  Bitmap b(w, h);
  for (auto& p : b.pixels) {
    seed = seed * 1664525u + 1013904223u;
    p = 0xFF000000u | (seed >> 8);
  }
  return b;
}

}  // namespace

TEST(Bitblt, TruthTables) {
  // Every channel nibble pairs dst 1100 with src 1010: all four bit combinations.
  EXPECT_EQ(blitOne(0xFFCCCCCC, 0xFFAAAAAA, Rop::MergePaint), 0xFFDDDDDDu);  // 1100 | 0101
  EXPECT_EQ(blitOne(0xFFCCCCCC, 0xFFAAAAAA, Rop::SrcAnd), 0xFF888888u);      // 1100 & 1010

  struct Row {
    uint32_t d, s, merge, band;
  };
  for (const Row& r : {Row{White, White, White, White}, Row{White, Black, White, Black},
                       Row{Black, White, Black, Black}, Row{Black, Black, White, Black}}) {
    EXPECT_EQ(blitOne(r.d, r.s, Rop::MergePaint), r.merge) << std::hex << r.d << " " << r.s;
    EXPECT_EQ(blitOne(r.d, r.s, Rop::SrcAnd), r.band) << std::hex << r.d << " " << r.s;
  }
}

TEST(Bitblt, ResultStaysOpaque) {
  // NOT of an opaque source has alpha 0; the result must not turn transparent.
  EXPECT_EQ(blitOne(0xFF102030, 0xFFFFFFFF, Rop::MergePaint), 0xFF102030u);
  EXPECT_EQ(blitOne(0x00102030, 0xFF405060, Rop::SrcAnd) >> 24, 0xFFu);
}

TEST(Bitblt, MaskThenFigureDrawsFigureOverBackground) {
  // A sheet with the mask in cell 0 and the figure in cell 1, as the game's pictures are laid out.
  const uint32_t figure = 0xFF3366CC;
  Bitmap sheet(40, 20, White);
  for (int y = 5; y < 15; ++y)
    for (int x = 5; x < 15; ++x) {
      sheet.set(x, y, Black);                      // mask: black where the figure is
      sheet.set(20 + x, y, figure + uint32_t(x));  // figure: colours there, white elsewhere
    }
  const Bitmap background = pattern(60, 40, 7);
  Bitmap frame = background;
  platform::bitblt(frame, 23, 11, sheet, 0, 0, Rop::MergePaint);
  platform::bitblt(frame, 23, 11, sheet, 20, 0, Rop::SrcAnd);

  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const int u = x - 23, v = y - 11;
      const bool inFigure = u >= 5 && u < 15 && v >= 5 && v < 15;
      const uint32_t want = inFigure ? figure + uint32_t(u) : background.at(x, y);
      ASSERT_EQ(frame.at(x, y), want) << "at " << x << "," << y;
    }
}

TEST(Bitblt, ClipsAtEveryEdgeLikeTheReference) {
  const Bitmap src = pattern(23, 17, 1);
  const Bitmap start = pattern(31, 19, 2);
  const int offsets[] = {-40, -21, -20, -19, -3, -1, 0, 1, 5, 11, 16, 18, 22, 29, 30, 31, 45};
  const int sizes[] = {0, 1, 20, 37};
  int cases = 0;
  for (const Rop rop : {Rop::MergePaint, Rop::SrcAnd})
    for (int dx : offsets)
      for (int dy : offsets)
        for (int sx : {-21, -5, 0, 3, 22, 23})
          for (int sy : {-2, 0, 16, 30})
            for (int w : sizes) {
              const int h = w == 37 ? 5 : w;
              Bitmap got = start, want = start;
              got.pixels.push_back(0x12345678);  // guard past the end
              platform::bitblt(got, dx, dy, src, sx, sy, rop, w, h);
              referenceBlit(want, dx, dy, src, sx, sy, rop, w, h);
              ASSERT_EQ(got.pixels.back(), 0x12345678u);
              got.pixels.pop_back();
              ASSERT_EQ(got.pixels, want.pixels)
                  << dx << "," << dy << " " << sx << "," << sy << " " << w;
              ++cases;
            }
  EXPECT_GT(cases, 10000);
}

TEST(Bitblt, ExtremeArgumentsDoNothing) {
  const Bitmap src = pattern(20, 20, 3);
  const Bitmap start = pattern(20, 20, 4);
  Bitmap dst = start;
  for (const int v : {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX}) {
    platform::bitblt(dst, v, 0, src, 0, 0, Rop::SrcAnd);
    platform::bitblt(dst, 0, v, src, 0, 0, Rop::SrcAnd);
    platform::bitblt(dst, 0, 0, src, v, 0, Rop::SrcAnd);
    platform::bitblt(dst, 0, 0, src, 0, v, Rop::SrcAnd);
    platform::bitblt(dst, 0, 0, src, 0, 0, Rop::SrcAnd, v < 0 ? v : 0, v);
    platform::copy(dst, v, v, src);
  }
  EXPECT_EQ(dst.pixels, start.pixels);

  // Width and height are public: pixels that do not cover them are never touched.
  Bitmap broken;
  broken.width = 20;
  broken.height = 20;
  platform::bitblt(broken, 0, 0, src, 0, 0, Rop::MergePaint);
  platform::bitblt(dst, 0, 0, broken, 0, 0, Rop::MergePaint);
  platform::copy(dst, 0, 0, broken);
  EXPECT_TRUE(broken.pixels.empty());
  EXPECT_EQ(dst.pixels, start.pixels);
}
