#include "editor/neww.h"

#include "mapformat/numbers.h"

namespace editor {

std::optional<std::pair<int16_t, int16_t>> tamanonuevo(std::string_view ancho,
                                                       std::string_view alto,
                                                       char separadorDecimal) {
  const auto w = mapformat::parseReal(ancho, separadorDecimal);
  const auto h = mapformat::parseReal(alto, separadorDecimal);
  if (!w || !h) return std::nullopt;
  if (*w < kAnchoMin || *w > kAnchoMax || *h < kAltoMin || *h > kAltoMax) return std::nullopt;
  const auto rw = mapformat::roundToInt16(*w), rh = mapformat::roundToInt16(*h);
  if (!rw || !rh) return std::nullopt;
  return std::pair{*rw, *rh};
}

}  // namespace editor
