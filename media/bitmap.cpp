#include "media/bitmap.h"

#include <algorithm>
#include <cstring>

namespace media {

namespace {

constexpr uint32_t kAlpha = 0xFF000000u;

// The block left after clipping, in both pictures' coordinates.
struct Span {
  int dx, dy, sx, sy, w, h;
};

// Width and height are public fields: a picture whose pixels do not cover
// them is treated as empty rather than read past its end.
bool whole(const Bitmap& b) {
  return b.width > 0 && b.height > 0 &&
         b.pixels.size() >= static_cast<size_t>(b.width) * static_cast<size_t>(b.height);
}

// Clips in 64 bits so that extreme arguments cannot overflow. Returns false
// if nothing is left.
bool clip(const Bitmap& dst, long long dx, long long dy, const Bitmap& src, long long sx,
          long long sy, long long w, long long h, Span& out) {
  if (!whole(dst) || !whole(src)) return false;
  // Both corners move right and down until neither lies left of or above its picture.
  const long long kx = std::max({0LL, -sx, -dx}), ky = std::max({0LL, -sy, -dy});
  dx += kx;
  sx += kx;
  w -= kx;
  dy += ky;
  sy += ky;
  h -= ky;
  w = std::min({w, src.width - sx, dst.width - dx});
  h = std::min({h, src.height - sy, dst.height - dy});
  if (w <= 0 || h <= 0) return false;
  out = {static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx),
         static_cast<int>(sy), static_cast<int>(w),  static_cast<int>(h)};
  return true;
}

// The inner loops take row pointers and no checks, so g++ vectorises them.
// A whole 20-pixel tile row gets its own instance with a fixed trip count,
// which vectorises fully even at -O2's cheap cost model.
template <int W>
inline void mergeRow(uint32_t* __restrict d, const uint32_t* __restrict s) {
  for (int x = 0; x < W; ++x) d[x] = d[x] | ~s[x] | kAlpha;
}
template <int W>
inline void andRow(uint32_t* __restrict d, const uint32_t* __restrict s) {
  for (int x = 0; x < W; ++x) d[x] = (d[x] & s[x]) | kAlpha;
}
inline void mergeRow(uint32_t* __restrict d, const uint32_t* __restrict s, int w) {
  for (int x = 0; x < w; ++x) d[x] = d[x] | ~s[x] | kAlpha;
}
inline void andRow(uint32_t* __restrict d, const uint32_t* __restrict s, int w) {
  for (int x = 0; x < w; ++x) d[x] = (d[x] & s[x]) | kAlpha;
}

template <bool Merge>
void blitRows(uint32_t* d, int dstride, const uint32_t* s, int sstride, int w, int h) {
  if (w == 20) {
    for (int y = 0; y < h; ++y, d += dstride, s += sstride) {
      if constexpr (Merge)
        mergeRow<20>(d, s);
      else
        andRow<20>(d, s);
    }
    return;
  }
  for (int y = 0; y < h; ++y, d += dstride, s += sstride) {
    if constexpr (Merge)
      mergeRow(d, s, w);
    else
      andRow(d, s, w);
  }
}

}  // namespace

Bitmap::Bitmap(int w, int h, uint32_t fill)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

void bitblt(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, Rop rop, int w, int h) {
  Span c;
  if (!clip(dst, dx, dy, src, sx, sy, w, h, c)) return;
  uint32_t* d = dst.pixels.data() + static_cast<size_t>(c.dy) * static_cast<size_t>(dst.width) +
                static_cast<size_t>(c.dx);
  const uint32_t* s = src.pixels.data() +
                      static_cast<size_t>(c.sy) * static_cast<size_t>(src.width) +
                      static_cast<size_t>(c.sx);
  switch (rop) {
    case Rop::MergePaint:
      blitRows<true>(d, dst.width, s, src.width, c.w, c.h);
      break;
    case Rop::SrcAnd:
      blitRows<false>(d, dst.width, s, src.width, c.w, c.h);
      break;
  }
}

void copy(Bitmap& dst, int dx, int dy, const Bitmap& src) {
  Span c;
  if (!clip(dst, dx, dy, src, 0, 0, src.width, src.height, c)) return;
  for (int y = 0; y < c.h; ++y) {
    const size_t di =
        static_cast<size_t>(c.dy + y) * static_cast<size_t>(dst.width) + static_cast<size_t>(c.dx);
    const size_t si =
        static_cast<size_t>(c.sy + y) * static_cast<size_t>(src.width) + static_cast<size_t>(c.sx);
    std::memcpy(dst.pixels.data() + di, src.pixels.data() + si,
                static_cast<size_t>(c.w) * sizeof(uint32_t));
  }
}

Bitmap buttonFace(const Bitmap& picture, int w, int h, uint32_t face, bool down) {
  constexpr uint32_t kLight = 0xFFFFFFFF, kShadow = 0xFFA0A0A0, kDark = 0xFF696969;
  Bitmap b(w, h, 0xFF000000 | face);
  // Outer ring then inner ring: top and left edges, then bottom and right.
  const uint32_t rings[2][2] = {
      {down ? kDark : kLight, down ? kLight : kDark},
      {down ? kShadow : face | 0xFF000000, down ? face | 0xFF000000 : kShadow}};
  for (int r = 0; r < 2; ++r) {
    for (int x = r; x < w - r; ++x) {
      b.set(x, r, rings[r][0]);
      b.set(x, h - 1 - r, rings[r][1]);
    }
    for (int y = r; y < h - r; ++y) {
      b.set(r, y, rings[r][0]);
      b.set(w - 1 - r, y, rings[r][1]);
    }
    b.set(w - 1 - r, r, rings[r][1]);  // the corners that the shadow owns
    b.set(r, h - 1 - r, rings[r][1]);
  }
  const int shift = down ? 1 : 0;
  copy(b, (w - picture.width) / 2 + shift, (h - picture.height) / 2 + shift, picture);
  return b;
}

}  // namespace media
