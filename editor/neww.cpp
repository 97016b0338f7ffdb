#include "editor/neww.h"

#include "editor/principal.h"
#include "mapformat/numbers.h"

namespace editor {

namespace {
constexpr const char* kTamanoMalo = "El tamaño no es válido";
}  // namespace

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

bool Principal::crear_Click(std::string_view ancho, std::string_view alto, char separadorDecimal) {
  const auto tamano = tamanonuevo(ancho, alto, separadorDecimal);
  if (!tamano) {
    s_.messages.show(kTamanoMalo, platform::Icon::Critical);
    return false;
  }
  nuevomapa(tamano->first, tamano->second);
  return true;
}

}  // namespace editor
