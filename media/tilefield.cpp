#include "media/tilefield.h"

#include <algorithm>
#include <cstring>

namespace media {

namespace {

constexpr int kT = kTile;
constexpr uint32_t kAlpha = 0xFF000000u;

bool inside(const Bitmap& b, int x, int y) {
  return x >= 0 && y >= 0 && x + kT <= b.width && y + kT <= b.height &&
         b.pixels.size() >= static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height);
}

const uint32_t* row(const Bitmap& b, int x, int y) {
  return b.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(b.width) +
         static_cast<std::size_t>(x);
}

bool whiteOver(const Bitmap& b, int w, int h) {
  if (b.width < w || b.height < h) return false;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((b.at(x, y) | kAlpha) != 0xFFFFFFFFu) return false;
  return true;
}

}  // namespace

bool TileField::Stack::operator==(const Stack& o) const {
  if (count != o.count) return false;
  for (int i = 0; i < count; ++i)
    if (!(layers[static_cast<std::size_t>(i)] == o.layers[static_cast<std::size_t>(i)]))
      return false;
  return true;
}

TileField::TileField(Bitmap& target, const Bitmap& background, int cols, int rows)
    : target_(target),
      background_(background),
      cols_(std::max(cols, 0)),
      rows_(std::max(rows, 0)),
      whiteGround_(whiteOver(background, cols_ * kT, rows_ * kT)),
      shown_(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_)),
      valid_(shown_.size(), false),
      cache_(kCached) {}

void TileField::invalidate() { std::fill(valid_.begin(), valid_.end(), false); }

void TileField::draw(int k, int r, const Stack& stack) {
  if (k < 0 || r < 0 || k >= cols_ || r >= rows_) return;
  const std::size_t i =
      static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(k);
  if (valid_[i] && shown_[i] == stack) return;
  shown_[i] = stack;
  valid_[i] = true;
  compose(k, r, stack);
  changed_ = unite(changed_, Rect{k * kT, r * kT, kT, kT});
}

namespace {

// Each layer in one pass over the tile, which stays in the first-level
// cache; the result is stored once. On white (no ground given) the bottom
// layer's mask pass leaves white, so that layer comes out as its figure block.
void blend(uint32_t* d, std::size_t stride, const uint32_t* ground, std::size_t groundStride,
           const TileField::Stack& stack) {
  alignas(16) uint32_t t[kT * kT];
  int first = 0;
  if (!ground && stack.count > 0) {
    const Layer& bottom = stack.layers[0];
    const uint32_t* f = row(*bottom.sheet, bottom.figX, bottom.figY);
    const auto s = static_cast<std::size_t>(bottom.sheet->width);
    for (int y = 0; y < kT; ++y, f += s) std::memcpy(t + y * kT, f, kT * sizeof(uint32_t));
    first = 1;
  } else if (ground) {
    for (int y = 0; y < kT; ++y, ground += groundStride)
      std::memcpy(t + y * kT, ground, kT * sizeof(uint32_t));
  } else {
    std::fill(t, t + kT * kT, 0xFFFFFFFFu);
  }
  for (int i = first; i < stack.count; ++i) {
    const Layer& l = stack.layers[static_cast<std::size_t>(i)];
    const uint32_t* m = row(*l.sheet, l.maskX, l.maskY);
    const uint32_t* f = row(*l.sheet, l.figX, l.figY);
    const auto s = static_cast<std::size_t>(l.sheet->width);
    for (int y = 0; y < kT; ++y, m += s, f += s) {
      uint32_t* v = t + y * kT;
      for (int x = 0; x < kT; ++x) v[x] = (v[x] | ~m[x]) & f[x];
    }
  }
  for (int y = 0; y < kT; ++y, d += stride)
    for (int x = 0; x < kT; ++x) d[x] = t[y * kT + x] | kAlpha;
}

std::size_t slot(const TileField::Stack& stack) {
  // A 64-bit hash on every system (size_t is 32-bit in WebAssembly).
  uint64_t h = static_cast<uint64_t>(stack.count);
  for (int i = 0; i < stack.count; ++i) {
    const Layer& l = stack.layers[static_cast<std::size_t>(i)];
    for (uint64_t v :
         {uint64_t{reinterpret_cast<std::uintptr_t>(l.sheet) >> 4}, uint64_t{uint16_t(l.maskX)},
          uint64_t{uint16_t(l.maskY)}, uint64_t{uint16_t(l.figX)}, uint64_t{uint16_t(l.figY)}})
      h = (h ^ v) * 0x100000001B3ull;
  }
  return static_cast<std::size_t>((h ^ (h >> 29)) % TileField::kCached);
}

}  // namespace

void TileField::compose(int k, int r, const Stack& stack) {
  const int dx = k * kT, dy = r * kT;
  bool fast = inside(target_, dx, dy) && (whiteGround_ || inside(background_, dx, dy));
  for (int i = 0; i < stack.count && fast; ++i) {
    const Layer& l = stack.layers[static_cast<std::size_t>(i)];
    fast = l.sheet && inside(*l.sheet, l.maskX, l.maskY) && inside(*l.sheet, l.figX, l.figY);
  }
  if (!fast) return composeSlow(k, r, stack);

  const auto stride = static_cast<std::size_t>(target_.width);
  uint32_t* d =
      target_.pixels.data() + static_cast<std::size_t>(dy) * stride + static_cast<std::size_t>(dx);
  if (!whiteGround_)
    return blend(d, stride, row(background_, dx, dy), static_cast<std::size_t>(background_.width),
                 stack);
  // On white a tile depends on its stack alone, and most of a view is a
  // few kinds of ground: each stack is composed once and then copied.
  Composed& c = cache_[slot(stack)];
  if (!c.valid || !(c.stack == stack)) {
    blend(c.pixels.data(), kT, nullptr, 0, stack);
    c.stack = stack;
    c.valid = true;
  }
  for (int y = 0; y < kT; ++y, d += stride)
    std::memcpy(d, c.pixels.data() + y * kT, kT * sizeof(uint32_t));
}

// A block beyond a sheet's or the target's edge (a picture that failed to
// load): the clipped passes, so the pixels stay those of the plain transfers.
void TileField::composeSlow(int k, int r, const Stack& stack) {
  const int dx = k * kT, dy = r * kT;
  for (int y = 0; y < kT; ++y)
    for (int x = 0; x < kT; ++x)
      if (dx + x < target_.width && dy + y < target_.height)
        target_.set(dx + x, dy + y,
                    dx + x < background_.width && dy + y < background_.height
                        ? background_.at(dx + x, dy + y)
                        : target_.at(dx + x, dy + y));
  for (int i = 0; i < stack.count; ++i) {
    const Layer& l = stack.layers[static_cast<std::size_t>(i)];
    if (l.sheet) drawMasked(target_, dx, dy, *l.sheet, l.maskX, l.maskY, l.figX, l.figY);
  }
}

}  // namespace media
