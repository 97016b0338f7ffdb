// Any bytes as a character file: reading never fails as a whole, and what
// it reads, written back, reads the same. Only names that can be a
// character's are written at all.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/personaje.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const game::CamposPersonaje c = game::leerpersonaje(text);
  if (!c.nombre || !c.nivel || !c.experiencia) return 0;
  if (c.nombre->find(',') != std::string::npos) abort();  // the name ends at the first ","
  const auto written = game::escribirpersonaje(*c.nombre, *c.nivel, *c.experiencia);
  if (written.has_value() != game::nombrevalido(*c.nombre)) abort();
  if (!written) return 0;
  const auto again = game::leerpersonaje(*written);
  if (again.nombre != c.nombre || again.nivel != c.nivel || again.experiencia != c.experiencia)
    abort();
  return 0;
}
