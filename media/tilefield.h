// A field of 20 x 20 tiles composed into a Bitmap, each tile from a stack of
// masked figures, as both programs draw their map views. It gives exactly
// the pixels of the mask-and-figure passes of bitmap.h over the field's
// background, in one pass per tile, and it leaves a tile alone when its
// stack is the one it already shows: a frame costs what changed in it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "media/bitmap.h"

namespace media {

// One masked figure: the mask block (black where the figure is, white
// elsewhere) and the figure block (drawn on white), both in sheet. A block
// used as its own mask ANDs it into what lies beneath.
struct Layer {
  const Bitmap* sheet = nullptr;
  int16_t maskX = 0, maskY = 0, figX = 0, figY = 0;
  bool operator==(const Layer&) const = default;
};

class TileField {
 public:
  static constexpr int kMaxLayers = 4;
  static constexpr std::size_t kCached = 128;

  // Composes the top-left cols x rows tiles of target over background, which
  // covers them; target must keep its size while the field lives.
  TileField(Bitmap& target, const Bitmap& background, int cols, int rows);

  // A tile's stack, bottom first.
  struct Stack {
    std::array<Layer, kMaxLayers> layers{};
    int count = 0;
    void push(const Layer& l) {
      if (count < kMaxLayers) layers[static_cast<std::size_t>(count++)] = l;
    }
    bool operator==(const Stack& o) const;
  };

  // Starts a frame: nothing has changed yet.
  void begin() { changed_ = {}; }
  // Tile (k, r) shows the background, then each layer of stack in order.
  void draw(int k, int r, const Stack& stack);
  // The part of the target this frame changed (tiles whose stack changed).
  Rect changed() const { return changed_; }
  // Someone else wrote the target: the next frame draws every tile.
  void invalidate();

 private:
  void compose(int k, int r, const Stack& stack);
  void composeSlow(int k, int r, const Stack& stack);

  Bitmap& target_;
  const Bitmap& background_;
  int cols_, rows_;
  bool whiteGround_;  // the background is pure white where the tiles lie
  // Compositions of stacks on white, by a hash of the stack.
  struct Composed {
    Stack stack;
    bool valid = false;
    std::array<uint32_t, kTile * kTile> pixels;
  };
  std::vector<Stack> shown_;
  std::vector<bool> valid_;
  std::vector<Composed> cache_;
  Rect changed_;
};

}  // namespace media
