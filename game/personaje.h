// The character file: name, level and experience, each followed by ",".
// Reading never fails as a whole: each field that is missing or not a
// number is simply absent, and the loader keeps the value it would replace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace game {

struct CamposPersonaje {
  std::optional<std::string> nombre;
  std::optional<int32_t> nivel;
  std::optional<int32_t> experiencia;
};

CamposPersonaje leerpersonaje(std::string_view texto);
std::string escribirpersonaje(const std::string& nombre, int32_t nivel, int32_t experiencia);

}  // namespace game
