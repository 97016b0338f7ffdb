// Platform parts for driving the rules of either program without a window:
// scripted keys and dialog answers, recorded messages and sounds, and a
// temporary program folder on disk.
#pragma once

#include <bitset>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

#include "platform/filedialog.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/messages.h"
#ifdef _WIN32
#include "platform/win32/win32files.h"
#else
#include "platform/posixfiles.h"
#endif
#include "platform/random.h"
#include "platform/sound.h"

namespace platform::testing {

// Keys held during the next tick; every query answers from the set.
struct FakeKeys : platform::Keys {
  std::set<int> held;
  std::vector<int> queries;  // every code asked, in order
  bool pressed(int vk) override {
    queries.push_back(vk);
    return held.count(vk) > 0;
  }
};

// Keys held until changed. Unlike FakeKeys it records nothing, so a long
// run neither grows nor allocates.
struct HeldKeys : platform::Keys {
  std::bitset<256> held;
  bool pressed(int vk) override {
    return vk >= 0 && vk < 256 && held[static_cast<std::size_t>(vk)];
  }
};

struct CountingSound : platform::Sound {
  long long plays = 0;
  void play(const std::string&) override { ++plays; }
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

#ifdef _WIN32
using NativeFiles = platform::Win32Files;
#else
using NativeFiles = platform::PosixFiles;
#endif

// The real file layer below a temporary program folder; writes can be made
// to fail. The program's folder is the root itself, a portable folder,
// unless install() lays the root out as an installed system with a home.
struct TempFiles : NativeFiles {
  std::filesystem::path root;
  std::filesystem::path program, userData;  // as the rules see them
  bool failWrites = false;
  TempFiles() {
    // A fresh folder of its own, also when test programs run side by side.
    std::random_device pick;
    for (int attempt = 0; root.empty(); ++attempt) {
      if (attempt == 100) throw std::runtime_error("no temporary folder");
      const auto name =
          std::filesystem::temp_directory_path() / ("tarnwick-" + std::to_string(pick()));
      if (std::filesystem::create_directory(name)) root = name;
    }
    std::filesystem::create_directories(root / "mapas");
    std::filesystem::create_directories(root / "personajes");
    program = root;
    userData = root / "datos";  // never the real user's
  }
  ~TempFiles() override { std::filesystem::remove_all(root); }
  // The programs in usr/games, what they ship in usr/share/tarnwick, and the
  // user's data folder home/.local/share, made on first use.
  void install() {
    program = root / "usr" / "games";
    userData = root / "home" / ".local" / "share";
    for (const char* folder : {"mapas", "sonidos", "personajes"})
      std::filesystem::create_directories(root / "usr" / "share" / "tarnwick" / folder);
    std::filesystem::create_directories(program);
  }
  std::string programFolder() const override { return utf8(program); }
  std::string userDataFolder() const override { return utf8(userData); }
  bool writeAtomic(const std::string& path, std::string_view data) override {
    return !failWrites && NativeFiles::writeAtomic(path, data);
  }
  // Helpers for the tests.
  // Paths are UTF-8 text to the rules, whatever the platform's own encoding.
  static std::string utf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
  }
  std::filesystem::path at(const std::string& relative) const {
    return root / std::u8string(relative.begin(), relative.end());
  }
  // "a/b" written with this platform's separators, as the rules build paths.
  std::string path(const std::string& relative) const {
    return utf8(at(relative).make_preferred());
  }
  void put(const std::string& relative, const std::string& text) const {
    std::ofstream(at(relative), std::ios::binary) << text;
  }
  std::optional<std::string> get(const std::string& relative) {
    return read(path(relative), std::size_t{1} << 30);
  }
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

}  // namespace platform::testing
