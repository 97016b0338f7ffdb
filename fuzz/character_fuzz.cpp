// Any bytes as a character file: reading never fails as a whole, and what
// it reads, written back, reads the same (a name with "," aside, which the
// name rule keeps out of saved files).
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
  const auto again =
      game::leerpersonaje(game::escribirpersonaje(*c.nombre, *c.nivel, *c.experiencia).value());
  if (again.nombre != c.nombre || again.nivel != c.nivel || again.experiencia != c.experiencia)
    abort();
  return 0;
}
