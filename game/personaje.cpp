#include "game/personaje.h"

#include "mapformat/numbers.h"

namespace game {

CamposPersonaje leerpersonaje(std::string_view t) {
  CamposPersonaje c;
  if (t.empty()) return c;  // an empty text has no fields at all
  // Text after the third "," is never looked at.
  const std::size_t c1 = t.find(',');
  c.nombre = std::string(t.substr(0, c1));
  if (c1 == std::string_view::npos) return c;
  const std::size_t c2 = t.find(',', c1 + 1);
  c.nivel = mapformat::toInt32(t.substr(c1 + 1, c2 - (c1 + 1)));
  if (c2 == std::string_view::npos) return c;
  const std::size_t c3 = t.find(',', c2 + 1);
  c.experiencia = mapformat::toInt32(t.substr(c2 + 1, c3 - (c2 + 1)));
  return c;
}

std::string escribirpersonaje(const std::string& nombre, int32_t nivel, int32_t experiencia) {
  std::string texto = nombre;
  texto += ',';
  mapformat::appendText(texto, nivel);
  texto += ',';
  mapformat::appendText(texto, experiencia);
  texto += ',';
  return texto;
}

}  // namespace game
