// Crisp at any display scale: every art pixel is shown as k x k device
// pixels, k a whole number, and the front ends draw everything (field,
// panels, labels' boxes and fonts) at k times its size. A blurred or
// uneven picture is what a fractional factor gives pixel art.
#pragma once

#include <string_view>

#include "platform/layout.h"

namespace platform {

struct Extent {
  int w, h;
};

// k for a display scale (1.0 is 96 dots per inch): the scale rounded to the
// nearest whole, halves up (1.25 -> 1, 1.5 -> 2, 3 -> 3), then lowered while
// `content` at k times its size would not fit `room`, never below 1. The
// content is what grows with k; room is the work area less what does not.
int wholeScale(double scale, Extent content, Extent room);

// Layout pixels to device pixels at k.
constexpr Box scaled(const Box& b, int k) { return {b.x * k, b.y * k, b.w * k, b.h * k}; }
// A face of bitmaps ("MS Sans Serif" on Windows) has no glyphs k times its
// size, and its own size only where the system has the bitmaps made for
// its DPI at 96: otherwise it is drawn with its scalable twin, as crisp as
// the art and as large as the layout says.
inline constexpr const char* kBitmapFace = "MS Sans Serif";
inline constexpr const char* kScalableTwin = "Microsoft Sans Serif";
constexpr Font scaled(const Font& f, int k, bool bitmapsAtTheirSize = true) {
  const bool twin = (k > 1 || !bitmapsAtTheirSize) && std::string_view(f.family) == kBitmapFace;
  return {twin ? kScalableTwin : f.family, f.pixels * k, f.bold};
}

// A device position back to the layout pixel it lies in. Positions left of
// or above the window (a drag held outside) stay outside: -1 is pixel -1.
constexpr int unscaled(int device, int k) {
  return device >= 0 ? device / k : -((-device + k - 1) / k);
}

}  // namespace platform
