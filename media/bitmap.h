// A 32-bit picture in memory and the two raster transfers the game draws
// with. The rules compose each frame into a Bitmap (as DOOM does into
// screens[0]); the Qt layer only shows it (qt/qtimage.h converts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

// A map tile's side in pixels, in both programs' views and sheets.
inline constexpr int kTile = 20;

struct Bitmap {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, row-major, always opaque

  Bitmap() = default;
  Bitmap(int w, int h, uint32_t fill = 0xFFFFFFFF);

  bool empty() const { return width <= 0 || height <= 0; }
  // Unchecked: callers keep x and y inside the picture.
  uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  void set(int x, int y, uint32_t c) {
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x)] = c;
  }
};

// A part of a picture, in its pixels.
struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
  bool operator==(const Rect&) const = default;
};

// The smallest rectangle holding both.
inline Rect unite(const Rect& a, const Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int x = a.x < b.x ? a.x : b.x, y = a.y < b.y ? a.y : b.y;
  const int r = a.x + a.w > b.x + b.w ? a.x + a.w : b.x + b.w;
  const int d = a.y + a.h > b.y + b.h ? a.y + a.h : b.y + b.h;
  return {x, y, r - x, d - y};
}

// Windows GDI raster-operation codes: the drawing code names them as GDI does.
enum class Rop : uint32_t {
  MergePaint = 0x00BB0226,  // dst := dst OR (NOT src)
  SrcAnd = 0x008800C6,      // dst := dst AND src
};

// Transfers a w x h block from src at (sx, sy) to dst at (dx, dy). The
// operation applies to the colour bits; alpha stays 0xFF (NOT src would
// otherwise clear it and the picture would turn transparent). Clipped to
// both pictures at every edge, negative coordinates included. src and dst
// must not be the same Bitmap.
// Called by the game's dibujar: mask with MergePaint, then figure with SrcAnd.
void bitblt(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, Rop rop, int w = kTile,
            int h = kTile);

// Draws a 20 x 20 figure so that its white ground is transparent: the mask
// block with MergePaint (a white hole where the mask is black), then the
// figure block with SrcAnd. Terrain passes the same block twice.
inline void drawMasked(Bitmap& dst, int dx, int dy, const Bitmap& sheet, int maskX, int maskY,
                       int figX, int figY) {
  bitblt(dst, dx, dy, sheet, maskX, maskY, Rop::MergePaint);
  bitblt(dst, dx, dy, sheet, figX, figY, Rop::SrcAnd);
}

// A w x h picture button as both front ends draw it, so that it looks the
// same everywhere: the picture centred on `face` (0xRRGGBB) inside a
// two-pixel raised bevel, or, pressed, a sunken one with the picture a
// pixel down and to the right.
Bitmap buttonFace(const Bitmap& picture, int w, int h, uint32_t face, bool down);

// Plain copy of the whole of src with its top-left corner at (dx, dy), clipped.
void copy(Bitmap& dst, int dx, int dy, const Bitmap& src);

}  // namespace media
