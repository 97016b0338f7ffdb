#include "platform/scale.h"

#include <cmath>

namespace platform {

int wholeScale(double scale, Extent content, Extent room) {
  // A scale no screen has (NaN, zero, negative, absurdly large) is 1 or the
  // largest that fits: the window is never shown smaller than its pixels.
  const double rounded = std::isfinite(scale) ? std::floor(scale + 0.5) : 1.0;
  int k = rounded < 1 ? 1 : rounded > 64 ? 64 : static_cast<int>(rounded);
  while (k > 1 && (static_cast<long long>(content.w) * k > room.w ||
                   static_cast<long long>(content.h) * k > room.h))
    --k;
  return k;
}

}  // namespace platform
