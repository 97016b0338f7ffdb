// Raster transfers against a naive reference, pixel by pixel, clipped at
// every edge. (The end-to-end tests compare the masked figures the game
// draws with the screen.)
#include "media/bitmap.h"
#include "media/tilefield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <string>

using namespace media;

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
      media::copy(got, dx, dy, src);
      ASSERT_EQ(got.pixels, reference(dx, dy, 0, 0, std::nullopt, 23, 17)) << dx << "," << dy;
      for (Rop rop : {Rop::MergePaint, Rop::SrcAnd})
        for (int sx : {INT_MIN, -21, -5, 0, 3, 22, 23})
          for (int sy : {-2, 0, 16, 30, INT_MAX})
            for (int w : {INT_MIN, 0, 1, 20, 37, INT_MAX}) {
              const int h = w == 37 ? 5 : w;
              got = start;
              media::bitblt(got, dx, dy, src, sx, sy, rop, w, h);
              ASSERT_EQ(got.pixels, reference(dx, dy, sx, sy, rop, w, h)) << dx << " " << dy;
            }
    }
  // Width and height are public: pixels that do not cover them are never touched.
  Bitmap got = start, broken;
  broken.width = broken.height = 20;
  media::bitblt(broken, 0, 0, src, 0, 0, Rop::MergePaint);
  media::bitblt(got, 0, 0, broken, 0, 0, Rop::MergePaint);
  media::copy(got, 0, 0, broken);
  EXPECT_TRUE(broken.pixels.empty() && got.pixels == start.pixels);
}

// Stacks that grow, shrink and change over many frames, against the plain
// passes from scratch: on a white ground, a patterned one, and a target and
// ground smaller than the field (pictures that did not load whole); with
// blocks past a sheet's edge and a sheet that failed to load. Only the tiles
// whose stack changed are drawn, and changed() bounds exactly those.
TEST(TileField, MatchesThePlainPassesAndRedrawsOnlyWhatChanged) {
  uint32_t seed = 7;
  const auto next = [&seed](uint32_t n) {
    return ((seed = seed * 1664525u + 1013904223u) >> 8) % n;
  };
  // Sheets of black, white and colours, as masks and figures are.
  Bitmap sheets[2] = {Bitmap(80, 60), Bitmap(40, 40)};
  for (Bitmap& s : sheets)
    for (auto& p : s.pixels)
      p = 0xFF000000u | (next(3) == 0 ? 0 : next(2) ? 0xFFFFFF : next(1 << 24));
  const Bitmap empty;
  const auto layer = [&] {
    const Bitmap* sheet = next(12) == 0 ? &empty : &sheets[next(2)];
    // Mostly whole blocks, now and then one across an edge.
    const auto at = [&](int side) {
      return static_cast<int16_t>(
          next(8) ? 5 * static_cast<int>(next(static_cast<uint32_t>(std::max(side - 15, 5)) / 5))
                  : side - 10);
    };
    return Layer{sheet, at(sheet->width), at(sheet->height), at(sheet->width), at(sheet->height)};
  };
  const struct {
    int groundW, groundH, targetW, targetH;
    bool white;
  } cases[] = {{100, 60, 110, 70, true},
               {100, 60, 110, 70, false},
               {100, 60, 95, 55, true},
               {90, 50, 110, 70, false},
               {90, 60, 110, 70, true}};  // narrower only: never read past its rows
  for (const auto& k : cases) {
    Bitmap ground(k.groundW, k.groundH);
    if (!k.white)
      for (auto& p : ground.pixels) p = 0xFF000000u | next(1 << 24);
    Bitmap target(k.targetW, k.targetH, 0xFF123456);
    TileField field(target, ground, 5, 3);
    std::vector<TileField::Stack> stacks(15);
    for (int frame = 0; frame < 80; ++frame) {
      Rect want;
      for (std::size_t i = 0; i < stacks.size(); ++i) {
        TileField::Stack& st = stacks[i];
        const TileField::Stack was = st;
        // Now and then a frame where nothing changes; one tile starts empty.
        switch (frame == 0 ? (i == 14 ? 9 : 0) : frame % 5 == 4 ? 9 : next(8)) {
          case 0:
            st.push(layer());
            break;
          case 1:
            st.count = std::max(st.count - 1, 0);
            break;
          case 2:
            if (st.count > 0) st.layers[static_cast<std::size_t>(st.count - 1)] = layer();
            break;
          case 3:
            st.count = 0;
            break;
          default:
            break;
        }
        const bool same =
            st.count == was.count &&
            std::equal(st.layers.begin(), st.layers.begin() + st.count, was.layers.begin());
        if (frame == 0 || !same) want = unite(want, {20 * int(i % 5), 20 * int(i / 5), 20, 20});
      }
      // Someone else drew over the target: every tile is drawn again.
      const bool scribbled = frame == 50 && k.groundW == 100 && k.targetW > 100;
      if (scribbled) {
        media::copy(target, 0, 0, Bitmap(100, 60, 0xFF00FF00));
        field.invalidate();
        want = {0, 0, 100, 60};
      }
      field.begin();
      for (std::size_t i = 0; i < stacks.size(); ++i) field.draw(int(i % 5), int(i / 5), stacks[i]);
      for (auto [c, r] : {std::pair{-1, 0}, {5, 0}, {0, 3}, {0, -1}})
        field.draw(c, r, stacks[0]);  // no such tiles
      EXPECT_EQ(field.changed(), want) << frame;
      Bitmap ref(k.targetW, k.targetH, 0xFF123456);
      media::copy(ref, 0, 0, ground);
      for (std::size_t i = 0; i < stacks.size(); ++i)
        for (int l = 0; l < stacks[i].count; ++l) {
          const Layer& y = stacks[i].layers[static_cast<std::size_t>(l)];
          drawMasked(ref, 20 * int(i % 5), 20 * int(i / 5), *y.sheet, y.maskX, y.maskY, y.figX,
                     y.figY);
        }
      // Beyond the ground, what a pass leaves depends on what was there before.
      for (int y = 0; y < std::min(k.groundH, k.targetH); ++y)
        for (int x = 0; x < std::min(k.groundW, k.targetW); ++x)
          ASSERT_EQ(target.at(x, y), ref.at(x, y))
              << k.white << " " << frame << " " << x << "," << y;
      for (int y = 0; y < k.targetH; ++y)
        for (int x = 0; x < k.targetW; ++x)
          if ((x >= 100 || y >= 60) && k.groundW == 100) {
            ASSERT_EQ(target.at(x, y), 0xFF123456u);
          }
    }
  }
}

// A picture button, raised and held: every pixel of a 6 x 6 face round a
// 2 x 2 picture. L light, D dark, S shadow, f face, p picture.
TEST(ButtonFace, RaisedAndSunkenBevelsRoundThePicture) {
  const media::Bitmap picture(2, 2, 0xFF123456);
  const std::map<char, uint32_t> colour = {{'L', 0xFFFFFFFF},
                                           {'D', 0xFF696969},
                                           {'S', 0xFFA0A0A0},
                                           {'f', 0xFFF0F0F0},
                                           {'p', 0xFF123456}};
  const char* raised[] = {"LLLLLD", "LfffSD", "LfppSD", "LfppSD", "LSSSSD", "DDDDDD"};
  const char* sunken[] = {"DDDDDL", "DSSSfL", "DSfffL", "DSfppL", "DffppL", "LLLLLL"};
  for (bool down : {false, true}) {
    const media::Bitmap b = media::buttonFace(picture, 6, 6, 0xF0F0F0, down);
    std::string got, want;
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x) {
        const char c = (down ? sunken : raised)[y][x];
        want += c;
        got += b.at(x, y) == colour.at(c) ? c : '?';
      }
    EXPECT_EQ(got, want) << down;
  }
}
