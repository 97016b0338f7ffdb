// The new-map dialog's rules, without its window: the sizes typed into
// "Ancho" and "Alto" are read as decimal numbers, checked unrounded against
// the bounds, and the map is made with them rounded (halves to even).
// "Crear" itself is Principal::crear_Click, in neww.cpp; the windows only
// hand it the boxes' texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace editor {

inline constexpr int kAnchoMin = 30, kAnchoMax = 200;
inline constexpr int kAltoMin = 20, kAltoMax = 200;

// Width and height in tiles, or nothing when the size is refused ("El
// tamaño no es válido"), text that is no number included. The locale's
// decimal separator is accepted beside ".".
std::optional<std::pair<int16_t, int16_t>> tamanonuevo(std::string_view ancho,
                                                       std::string_view alto,
                                                       char separadorDecimal = '.');

}  // namespace editor
