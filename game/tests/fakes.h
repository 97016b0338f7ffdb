// The game's rules driven without a window: the platform fakes, a
// recording view, and shorthands for setting up play.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assets/loadpictures.h"
#include "game/main.h"
#include "platform/testing/fakes.h"

namespace gametest {

using platform::testing::FakeDialog;
using platform::testing::FakeKeys;
using platform::testing::FakeMessages;
using platform::testing::FakeRandom;
using platform::testing::FakeSound;
using platform::testing::TempFiles;

struct FakeView : game::View {
  std::map<game::Etiqueta, std::string> captions;
  int presents = 0;
  std::optional<bool> mapMenu;
  bool quitted = false;
  void setCaption(game::Etiqueta label, const std::string& text) override {
    captions[label] = text;
  }
  void present() override { ++presents; }
  void setMapMenuEnabled(bool enabled) override { mapMenu = enabled; }
  void quit() override { quitted = true; }
  std::string operator[](game::Etiqueta e) const {
    auto it = captions.find(e);
    return it == captions.end() ? std::string() : it->second;
  }
};

// The pictures, loaded once for the whole test program.
inline const assets::Pictures& pictures() {
  static const assets::Pictures p = assets::loadPictures();
  return p;
}

// A game with every platform part faked, started as the window starts it.
struct Game {
  FakeKeys keys;
  FakeSound sound;
  FakeDialog dialog;
  FakeMessages messages;
  TempFiles files;
  FakeRandom random;
  FakeView view;
  game::Main main{game::Services{keys, sound, dialog, messages, files, random}, pictures(), view};
  Game() { main.Form_Load(); }
};

// A cell, for comparing positions.
inline std::pair<int, int> xy(int x, int y) { return {x, y}; }

// Shorthands for setting up play.
inline void nuevoHeroe(Game& g, const std::string& nombre = "pepe") {
  g.dialog.answers.push_back(platform::FileChoice{g.files.path("personajes/" + nombre), nombre});
  g.main.mnunuevo_Click();
}

// Writes `text` as mapas/<name> and loads it; returns whether it loaded.
inline bool cargar(Game& g, const std::string& text, const std::string& name = "prueba.mapa") {
  g.files.put("mapas/" + name, text);
  const auto before = g.messages.shown.size();
  g.main.cargarmapa(g.files.path("mapas/" + name));
  return g.messages.shown.size() == before;
}

// A w x h map of grass with the given rows of text laid over its top-left
// corner: '.' grass, ',' earth, 'T' tree, '~' water, '@' the hero, and
// 'm', 'r', 's' the three enemy kinds on grass.
inline std::string mapa(int w, int h, std::vector<std::string> rows,
                        const std::string& numero = "") {
  std::vector<int> cells(static_cast<std::size_t>(w * h), 0);
  std::string units;
  int px = 0, py = 0;
  for (int y = 0; y < static_cast<int>(rows.size()); ++y)
    for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x) {
      const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      int& cell = cells[static_cast<std::size_t>(x + w * y)];
      switch (c) {
        case ',':
          cell = 1;
          break;
        case 'T':
          cell = 2;
          break;
        case '~':
          cell = 3;
          break;
        case '@':
          px = x;
          py = y;
          break;
        case 'm':
        case 'r':
        case 's':
          units += std::to_string(x) + "," + std::to_string(y) + ":" +
                   std::to_string(c == 'm'   ? 0
                                  : c == 'r' ? 1
                                             : 2) +
                   "/unit/";
          break;
        default:
          break;
      }
    }
  std::string text = std::to_string(w) + "," + std::to_string(h) + "/inf/" + numero + "/fin/";
  for (int c : cells) text += std::to_string(c) + ",";
  return text + "/fin/" + std::to_string(px) + "," + std::to_string(py) + "/fin/" + units + "/fin/";
}

// A character and a map, ready to play.
inline void jugando(Game& g, const std::string& text) {
  nuevoHeroe(g);
  EXPECT_TRUE(cargar(g, text));
  g.messages.shown.clear();
}

// One tick with these keys held.
inline void tick(Game& g, std::set<int> keys = {}) {
  g.keys.held = std::move(keys);
  g.main.maintimer_Timer();
}

}  // namespace gametest
