// Steady play that can go on for ever, for the benchmarks and the
// allocation tests: the maps, a fight nobody can end, and a game that
// records nothing.
#pragma once

#include <string>

#include "game/testing/fakes.h"
#include "mapformat/writer.h"

namespace gametest {

// A 60 x 40 grass map with the hero at (20, 15) and all 101 enemies within
// four cells of him, in sight: 80 cells, so 21 of them hold two.
inline std::string fightMap() {
  mapformat::MapData map;
  map.reset(59, 39);
  map.px = 20;
  map.py = 15;
  for (int i = 0; map.unitCount < mapformat::kMaxUnits; ++i) {
    const int x = 16 + i % 9, y = 11 + (i / 9) % 9;
    if (x == 20 && y == 15) continue;
    map.units[static_cast<std::size_t>(map.unitCount++)] = {
        static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(i % 3)};
  }
  return mapformat::write(map);
}

// A 60 x 40 map of grass and earth with a lake and a few trees, the hero
// at (30, 20) and 14 enemies out of his sight.
inline std::string walkMap() {
  mapformat::MapData map;
  map.reset(59, 39);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool lago = (x - 22) * (x - 22) + (y - 14) * (y - 14) < 20;
      map.terrain[static_cast<std::size_t>(y * 60 + x)] =
          static_cast<int16_t>(lago                        ? 3
                               : (x * 7 + y * 3) % 11 == 0 ? 2
                                                           : (x + y) % 4 == 0);
    }
  map.px = 30;
  map.py = 20;
  for (int i = 0; i < 14; ++i)
    map.units[static_cast<std::size_t>(map.unitCount++)] = {static_cast<int16_t>(2 + 4 * i),
                                                            static_cast<int16_t>(i % 2 ? 2 : 37),
                                                            static_cast<int16_t>(i % 3)};
  return mapformat::write(map);
}

// After the fight map loaded: neither side can die, so every tick is a
// fight. Called before each tick, as enemy strikes wear the hero down.
inline void keepFighting(game::Main& m) {
  m.jugador.vida = m.jugador.vidamax = 1 << 30;
  m.jugador.muerto = false;
  for (game::Enemigo& e : m.listaenemigos) e.vida = e.vidamax = 1 << 30;
}

// A level 1 hero called Hugo on the map in the file at path, as after
// "Jugador Nuevo" and "Cargar mapa".
inline void heroeEn(game::Main& m, const std::string& path) {
  m.jugador.nombre = "Hugo";
  m.jugador.nivel = 1;
  m.calcularnivel();
  m.conjugador = true;
  m.cargarmapa(path);
}

// The worst frame the rules allow: water on every tile of the view, the
// hero and all 101 enemies in view, flying over it, and the water's second
// tile showing (cuadro 5 to 10).
inline void worstFrame(game::Main& m) {
  m.maxx = 59;
  m.maxy = 39;
  for (int y = 0; y <= m.maxy; ++y)
    for (int x = 0; x <= m.maxx; ++x) m.casilla(x, y) = game::Casilla{3, false, -1, false, true};
  m.mapax = 10;
  m.mapay = 5;
  m.casilla(25, 15).heroe = true;
  for (int i = 0; i < game::kMaxUnits; ++i) {
    auto& e = m.listaenemigos[static_cast<std::size_t>(i)];
    e.activo = true;
    e.tipo = 1;
    e.direccion = static_cast<int16_t>(i % 8);
    const int cell = 5 * i + 2;  // every fifth tile of the view; never the hero's
    m.casilla(m.mapax + cell % 30, m.mapay + cell / 30).enemigo = static_cast<int16_t>(i);
  }
  m.cuadro = 7;
}

// Keeps only what changed on the surface since its last reader reset it.
struct NoView : game::View {
  media::Rect changed;
  void setCaption(game::Etiqueta, const std::string&) override {}
  void present(const media::Rect& r) override { changed = media::unite(changed, r); }
  void setMapMenuEnabled(bool) override {}
  void quit() override {}
};

// The game with the program's own file layer (below a temporary folder)
// and random source; keys, sound and the window are stand-ins that keep
// nothing.
struct Steady {
  platform::testing::HeldKeys keys;
  platform::testing::CountingSound sound;
  platform::testing::FakeDialog dialog;
  platform::testing::FakeMessages messages;
  platform::testing::TempFiles files;
  platform::ClockRandom random;
  NoView view;
  game::Main m{game::Services{keys, sound, dialog, messages, files, random}, pictures(), view};
  Steady() { m.Form_Load(); }
  // A new character on the map `text`, saved as mapas/<name>.
  void jugar(const std::string& text, const std::string& name = "prueba.mapa") {
    dialog.answers.push_back(platform::FileChoice{files.path("personajes/heroe"), "heroe"});
    m.mnunuevo_Click();
    files.put("mapas/" + name, text);
    m.cargarmapa(files.path("mapas/" + name));
  }
  // One tick of steady play: idle, walking left and right in turn,
  // fighting with Space held while walking, or standing with 1 life among
  // the fight map's enemies, so that a volley fells him and strikes him
  // fallen every third tick.
  enum class Play { Idle, Walking, Fighting, Dying };
  void tick(Play play, long long n) {
    if (play == Play::Fighting || play == Play::Dying) keepFighting(m);
    if (play == Play::Dying) m.jugador.vida = 1;
    const bool walks = play == Play::Walking || play == Play::Fighting;
    keys.held[platform::vk::Space] = play == Play::Fighting;
    keys.held[platform::vk::Left] = walks && n % 2 == 0;
    keys.held[platform::vk::Right] = walks && n % 2 == 1;
    m.maintimer_Timer();
  }
};

}  // namespace gametest
