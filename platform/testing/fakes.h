// Platform parts for driving the rules of either program without a window:
// scripted keys and dialog answers, recorded messages and sounds, and a
// temporary program folder on disk.
#pragma once

#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

#include "platform/filedialog.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "platform/posixfiles.h"
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

// The real file layer below a temporary program folder; writes can be made
// to fail.
struct TempFiles : platform::PosixFiles {
  std::filesystem::path root;
  bool failWrites = false;
  TempFiles() {
    // A fresh folder of its own, also when test programs run side by side.
    std::string name = (std::filesystem::temp_directory_path() / "tarnwick-XXXXXX").string();
    if (!::mkdtemp(name.data())) throw std::runtime_error("no temporary folder");
    root = name;
    std::filesystem::create_directories(root / "mapas");
    std::filesystem::create_directories(root / "personajes");
  }
  ~TempFiles() override { std::filesystem::remove_all(root); }
  std::string programFolder() const override { return root.string(); }
  bool writeAtomic(const std::string& path, std::string_view data) override {
    return !failWrites && PosixFiles::writeAtomic(path, data);
  }
  // Helpers for the tests.
  std::string path(const std::string& relative) const { return (root / relative).string(); }
  void put(const std::string& relative, const std::string& text) const {
    std::ofstream(root / relative, std::ios::binary) << text;
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
