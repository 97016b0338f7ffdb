// Platform parts for driving the game's rules without a window: scripted
// keys and dialog answers, recorded messages, sounds and captions, and a
// temporary program folder on disk.
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

#include "game/main.h"
#include "assets/loadpictures.h"

namespace gametest {

// Keys held during the next tick; every query answers from the set.
struct FakeKeys : platform::Keys {
  std::set<int> held;
  std::vector<int> queries;  // every code asked, in order
  bool pressed(int vk) override {
    queries.push_back(vk);
    return held.count(vk) > 0;
  }
};

struct FakeSound : platform::Sound {
  std::vector<std::string> played;
  void play(const std::string& path) override { played.push_back(path); }
};

// Answers dialogs from a queue; an empty queue cancels.
struct FakeDialog : platform::FileDialog {
  struct Asked {
    bool save;
    std::string proposed;
  };
  std::deque<std::optional<platform::FileChoice>> answers;
  std::vector<Asked> asked;
  std::optional<platform::FileChoice> answer(bool save, const std::string& proposed) {
    asked.push_back({save, proposed});
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<platform::FileChoice> open(const std::string& p) override {
    return answer(false, p);
  }
  std::optional<platform::FileChoice> save(const std::string& p) override {
    return answer(true, p);
  }
};

struct FakeMessages : platform::Messages {
  struct Shown {
    std::string text;
    platform::Icon icon;
  };
  std::vector<Shown> shown;
  std::function<void()> whileShown;  // runs as if inside the modal box
  void show(const std::string& text, platform::Icon icon) override {
    shown.push_back({text, icon});
    if (whileShown) whileShown();
  }
};

// Real files below a temporary program folder; writes can be made to fail.
struct TempFiles : platform::Files {
  std::filesystem::path root;
  bool failWrites = false;
  TempFiles() {
    root = std::filesystem::temp_directory_path() /
           ("tarnwick-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
            std::to_string(counter()++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "mapas");
    std::filesystem::create_directories(root / "personajes");
  }
  ~TempFiles() override { std::filesystem::remove_all(root); }
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::string programFolder() const override { return root.string(); }
  std::optional<std::string> read(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path)) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool writeAtomic(const std::string& path, std::string_view data) override {
    if (failWrites) return false;
    const std::string temp = path + ".tmp";
    {
      std::ofstream out(temp, std::ios::binary);
      if (!out) return false;
      out.write(data.data(), static_cast<std::streamsize>(data.size()));
      if (!out) return false;
    }
    std::error_code e;
    std::filesystem::rename(temp, path, e);
    return !e;
  }
  bool remove(const std::string& path) override { return std::filesystem::remove(path); }
  // Helpers for the tests.
  std::string path(const std::string& relative) const { return (root / relative).string(); }
  void put(const std::string& relative, const std::string& text) const {
    std::ofstream(root / relative, std::ios::binary) << text;
  }
  std::optional<std::string> get(const std::string& relative) { return read(path(relative)); }
};

// Random numbers from a script, then 0.5.
struct FakeRandom : platform::Random {
  std::deque<double> next_;
  int seeded = 0;
  void seedFromClock() override { ++seeded; }
  double next() override {
    if (next_.empty()) return 0.5;
    const double v = next_.front();
    next_.pop_front();
    return v;
  }
};

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
