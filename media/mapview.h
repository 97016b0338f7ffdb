// The map view both programs draw: up to kViewCols x kViewRows tiles of a
// map, from an origin kept on the map. A program says only which cells are
// on its map and what each one holds; the view does the rest, redrawing
// only the tiles whose stack changed.
#pragma once

#include <cstdint>

#include "media/bitmap.h"
#include "media/tilefield.h"

namespace media {

inline constexpr int kViewCols = 30;  // the view, in tiles
inline constexpr int kViewRows = 20;
inline constexpr int kViewWidth = kViewCols * kTile;  // and in pixels
inline constexpr int kViewHeight = kViewRows * kTile;

// Where a cell's ground is in the ground sheet: the tiles of codes 0 to 3
// (grass, earth, tree, water) side by side on its top row. Codes outside
// them come only from hand-made files and are drawn as grass.
inline constexpr int kGroundCodes = 4;
constexpr int groundX(int code) {
  return static_cast<unsigned>(code) < unsigned{kGroundCodes} ? kTile * code : 0;
}

// One coordinate of a view origin, kept on a map whose last index is
// `last`: the view's last tile (span tiles on) at most the map's, and never
// before the map's first. The game's rules hold span as a real number, so
// the new origin is rounded, halves to even; one beyond 16 bits becomes 0.
int16_t clampOrigin(int16_t origin, double span, int16_t last);

class MapView {
 public:
  // Draws into the top-left kViewWidth x kViewHeight of target, over blank
  // (the empty view); cells off the map show offMap alone.
  MapView(Bitmap& target, const Bitmap& blank, const Layer& offMap);

  // Draws cols x rows cells from the map cell (x0, y0). onMap(x, y) tells
  // whether a cell is on the map; fill(x, y, stack) pushes the layers of
  // one that is, bottom first. Returns the part of target to present.
  template <class OnMap, class Fill>
  Rect draw(int cols, int rows, int x0, int y0, OnMap&& onMap, Fill&& fill) {
    const Frame f = begin(cols, rows);
    TileField::Stack stack;
    for (int r = 0; r < f.rows; ++r)
      for (int k = 0; k < f.cols; ++k) {
        const int x = x0 + k, y = y0 + r;
        stack.count = 0;
        if (onMap(x, y)) {
          fill(x, y, stack);
        } else {
          stack.push(offMap_);
        }
        field_.draw(k, r, stack);
      }
    return f.whole ? field_.changed() : all();
  }

  // Blanks the view (the next frame draws every tile); returns all of it, to present.
  Rect clear();

 private:
  struct Frame {
    int cols, rows;  // the tiles walked: those the field holds
    bool whole;      // the whole view; any other leaves the rest blank
  };
  // Starts a frame; one of another size is blanked first and shown anew.
  Frame begin(int cols, int rows);
  static constexpr Rect all() { return {0, 0, kViewWidth, kViewHeight}; }

  Bitmap& target_;
  const Bitmap& blank_;
  Layer offMap_;
  TileField field_;
};

}  // namespace media
