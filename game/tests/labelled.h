// Figures compared as "name=value" words, so that a failed comparison says
// at once which figure is off.
#pragma once

#include <initializer_list>
#include <string>

namespace gametest {

struct Figure {
  template <typename T>
  Figure(const char* n, T v) : name(n), value(std::to_string(v)) {}
  const char* name;
  std::string value;
};

inline std::string labelled(std::initializer_list<Figure> figures) {
  std::string s;
  for (const Figure& c : figures) s += (s.empty() ? "" : " ") + (c.name + ("=" + c.value));
  return s;
}

// Where a unit (the hero or an enemy) stands, which way it faces, its life.
template <typename Unit>
std::string standing(const Unit& u) {
  return labelled({{"x", u.x}, {"y", u.y}, {"dir", u.direccion}, {"vida", u.vida}});
}

}  // namespace gametest
