// The game's rules driven without a window: the platform fakes, a
// recording view, and shorthands for setting up play and reading it back.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "assets/loadpictures.h"
#include "game/main.h"
#include "platform/testing/fakes.h"

namespace gametest {

using game::Etiqueta;
namespace vk = platform::vk;

// Records what the rules show: the captions by label, and the rest.
struct FakeView : game::View, std::map<Etiqueta, std::string> {
  int presents = 0;
  std::optional<bool> mapMenu;
  bool quitted = false;
  void setCaption(Etiqueta label, const std::string& text) override { (*this)[label] = text; }
  media::Rect changed;  // by the last present
  void present(const media::Rect& c) override {
    ++presents;
    changed = c;
  }
  void setMapMenuEnabled(bool enabled) override { mapMenu = enabled; }
  void quit() override { quitted = true; }
};

// The pictures, loaded once for the whole test program.
inline const assets::Pictures& pictures() {
  static const assets::Pictures p = assets::loadPictures();
  return p;
}

// A w x h map of grass with the given rows laid over its top-left corner:
// '.' grass, ',' earth, 'T' tree, '~' water, '@' the hero, and 'm', 'r',
// 's' the three enemy kinds standing on grass.
inline std::string mapa(int w, int h, const std::vector<std::string>& rows,
                        const std::string& numero = "") {
  std::vector<int> cells(static_cast<std::size_t>(w * h), 0);
  std::string units, start = "0,0";
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      const std::string at = std::to_string(x) + "," + std::to_string(y);
      const char c = rows[y][x];
      if (const auto t = std::string(".,T~").find(c); t != std::string::npos)
        cells[x + static_cast<std::size_t>(w) * y] = static_cast<int>(t);
      if (const auto k = std::string("mrs").find(c); k != std::string::npos)
        units += at + ":" + std::to_string(k) + "/unit/";
      if (c == '@') start = at;
    }
  std::string text = std::to_string(w) + "," + std::to_string(h) + "/inf/" + numero + "/fin/";
  for (int c : cells) text += std::to_string(c) + ",";
  return text + "/fin/" + start + "/fin/" + units + "/fin/";
}

// Numbers joined by spaces, to compare several figures in one line.
template <typename... T>
std::string str(T... v) {
  std::string s;
  ((s += std::to_string(v) + " "), ...);
  return s.substr(0, s.size() - 1);
}

// A game with every platform part faked, started as the window starts it.
struct Game {
  platform::testing::FakeKeys keys;
  platform::testing::FakeSound sound;
  platform::testing::FakeDialog dialog;
  platform::testing::FakeMessages messages;
  platform::testing::TempFiles files;
  platform::testing::FakeRandom random;
  FakeView view;
  game::Main m{game::Services{keys, sound, dialog, messages, files, random}, pictures(), view};
  game::Jugador& j = m.jugador;
  // Started from a portable folder, or installed (TempFiles::install).
  explicit Game(bool installed = false) {
    if (installed) files.install();
    m.Form_Load();
  }

  game::Enemigo& e(int i) { return m.listaenemigos[static_cast<std::size_t>(i)]; }
  void answer(const std::string& relative, const std::string& title) {
    dialog.answers.push_back(platform::FileChoice{files.path(relative), title});
  }
  void nuevoHeroe(const std::string& nombre = "pepe") {
    answer("personajes/" + nombre, nombre);
    m.mnunuevo_Click();
  }
  void cargarPersonaje(const std::string& relative) {
    answer(relative, relative);
    m.mnujugador_Click();
  }
  // Writes `text` as mapas/<name> and loads it; whether it loaded.
  bool cargar(const std::string& text, const std::string& name = "prueba.mapa") {
    files.put("mapas/" + name, text);
    const auto before = messages.shown.size();
    m.cargarmapa(files.path("mapas/" + name));
    return messages.shown.size() == before;
  }
  // A new character on this map, ready to play.
  void jugando(const std::string& text) {
    nuevoHeroe();
    EXPECT_TRUE(cargar(text));
    messages.shown.clear();
  }
  void tick(std::set<int> held = {}) {
    keys.held = std::move(held);
    m.maintimer_Timer();
  }
  std::string lastMessage() const {
    return messages.shown.empty() ? "" : messages.shown.back().text;
  }
  // "x y facing life" of the hero and of enemy i.
  std::string heroe() const { return str(j.x, j.y, j.direccion, j.vida); }
  std::string enemigo(int i) { return str(e(i).x, e(i).y, e(i).direccion, e(i).vida); }
  // Field tile (k, r) shows plain grass.
  bool grass(int k, int r) const {
    const media::Bitmap& g = pictures().terrenos;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        if ((m.mainpic().at(20 * k + x, 20 * r + y) ^ g.at(x, y)) & 0xFFFFFF) return false;
    return true;
  }
};

// The surface composed from scratch: the panels as painted at start, then
// the field with the plain mask and figure passes: white, then for each
// tile its ground, the water's second pass, the hero or his blood, and the enemy.
inline media::Bitmap dosPasadas(const game::Main& m) {
  const auto& p = pictures();
  media::Bitmap f(720, 500, 0xFF000000);
  media::copy(f, 0, 400, p.abajo);
  media::copy(f, 600, 0, p.derecha);
  media::copy(f, 0, 0, p.resp);
  for (int r = 0; r < m.vistaalto; ++r)
    for (int k = 0; k < m.vistaancho; ++k) {
      const auto par = [&](const media::Bitmap& s, int mx, int my, int fx, int fy) {
        media::drawMasked(f, 20 * k, 20 * r, s, mx, my, fx, fy);
      };
      const int x = m.mapax + k, y = m.mapay + r;
      if (!m.enMapa(x, y)) {
        par(p.terrenos, 0, 20, 0, 20);
        continue;
      }
      const game::Casilla& c = m.casilla(x, y);
      const int t = c.terreno >= 0 && c.terreno <= 3 ? 20 * c.terreno : 0;
      par(p.terrenos, t, 0, t, 0);
      if (c.terreno == 3) {
        const bool claro = m.cuadro >= 5 && m.cuadro <= 10, blanco = m.cuadro >= 11;
        par(p.terrenos, blanco ? 20 : t, claro || blanco ? 20 : 0, blanco ? 20 : t,
            claro || blanco ? 20 : 0);
      }
      if (c.heroe && !m.jugador.muerto)
        par(p.yo, 20, 20 * m.jugador.direccion, 0, 20 * m.jugador.direccion);
      if (c.heroe && m.jugador.muerto) par(p.sangre, 20, 0, 0, 0);
      if (c.enemigo >= 0) {
        const game::Enemigo& e = m.listaenemigos[static_cast<std::size_t>(c.enemigo)];
        if (!e.muerto)
          par(p.enemigos[static_cast<std::size_t>(e.tipo)], 20, 20 * e.direccion, 0,
              20 * e.direccion);
      }
    }
  return f;
}

// One fixture for every test that plays.
struct Play : ::testing::Test, Game {};
// The same, installed: files.path("usr/share/tarnwick/...") is what the
// game ships with, files.path("home/.local/share/tarnwick/...") the player's.
struct Installed : ::testing::Test, Game {
  Installed() : Game(true) {}
};

}  // namespace gametest
