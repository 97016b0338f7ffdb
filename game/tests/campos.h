// Figures compared as "name=value" words, so that a failed comparison says
// at once which figure is off.
#pragma once

#include <initializer_list>
#include <string>

namespace gametest {

struct Campo {
  template <typename T>
  Campo(const char* n, T v) : nombre(n), valor(std::to_string(v)) {}
  const char* nombre;
  std::string valor;
};

inline std::string campos(std::initializer_list<Campo> figures) {
  std::string s;
  for (const Campo& c : figures) s += (s.empty() ? "" : " ") + (c.nombre + ("=" + c.valor));
  return s;
}

// Where a unit (the hero or an enemy) stands, which way it faces, its life.
template <typename Unidad>
std::string pos(const Unidad& u) {
  return campos({{"x", u.x}, {"y", u.y}, {"dir", u.direccion}, {"vida", u.vida}});
}

}  // namespace gametest
