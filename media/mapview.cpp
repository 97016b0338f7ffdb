#include "media/mapview.h"

#include <algorithm>

#include "mapformat/numbers.h"

namespace media {

int16_t clampOrigin(int16_t origin, double span, int16_t last) {
  if (origin + span > last) origin = mapformat::roundToInt16(last - span + 1).value_or(0);
  return std::max<int16_t>(origin, 0);
}

MapView::MapView(Bitmap& target, const Bitmap& blank, const Layer& offMap)
    : target_(target),
      blank_(blank),
      offMap_(offMap),
      field_(target, blank, kViewCols, kViewRows) {}

Rect MapView::clear() {
  copy(target_, 0, 0, blank_);
  field_.invalidate();
  return all();
}

MapView::Frame MapView::begin(int cols, int rows) {
  field_.begin();
  const bool whole = cols == kViewCols && rows == kViewRows;
  if (!whole) clear();
  return {std::clamp(cols, 0, kViewCols), std::clamp(rows, 0, kViewRows), whole};
}

}  // namespace media
