// The plain parts of the seam: key latches, the random source, folder
// literals, the tick guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/freshkeys.h"
#include "platform/keytracker.h"
#include "platform/layout.h"
#include "platform/random.h"
#include "platform/scale.h"
#include "platform/testing/fakes.h"
#include "platform/ticker.h"

namespace vk = platform::vk;

TEST(KeyTracker, PressedMeansHeldNowOrPressedSinceTheLastQueryOfThatKey) {
  platform::KeyTracker keys;
  for (int code : {0, vk::Left, 255, -1, 256}) {  // tapped between two queries
    keys.press(code);
    keys.release(code);
  }
  EXPECT_TRUE(keys.pressed(vk::Left));                                            // counts once
  EXPECT_FALSE(keys.pressed(vk::Left) || keys.pressed(-1) || keys.pressed(256));  // no keys
  EXPECT_TRUE(keys.pressed(0) && keys.pressed(255));  // querying Left left their latches alone
  keys.press(vk::Space);                              // held: counts at every query
  keys.press(vk::R);
  EXPECT_TRUE(keys.pressed(vk::Space) && keys.pressed(vk::Space));
  keys.releaseAll();  // focus lost: nothing stays held, an unseen press still counts once
  EXPECT_TRUE(keys.pressed(vk::R));
  EXPECT_FALSE(keys.pressed(vk::R) || keys.pressed(vk::Space));
}

// Uniform in [0, 1), and not the sequence an unseeded engine gives.
TEST(ClockRandom, IsSeededFromTheClockAndStaysInTheHalfOpenUnitRange) {
  platform::ClockRandom seeded, unseeded;
  seeded.seedFromClock();
  double sum = 0;
  for (int i = 0; i < 10000; ++i) {
    const double v = seeded.next();
    ASSERT_TRUE(v >= 0 && v < 1 && v != unseeded.next()) << v;
    sum += v;
  }
  EXPECT_NEAR(sum / 10000, 0.5, 0.02);
}

// A timer event handled inside a tick (a box's nested event loop) is
// dropped, not queued; the next one runs, even after a tick that threw.
TEST(Ticker, ATickInsideATickIsDroppedAndTheNextOneRuns) {
  platform::Ticker ticker;
  std::string ran;
  EXPECT_TRUE(ticker.run([&] {
    ran += 'a';
    EXPECT_FALSE(ticker.run([&] { ran += 'b'; }));
    EXPECT_TRUE(ticker.running());
  }));
  const auto throwing = [&] {
    ran += 'c';
    throw std::runtime_error("tick");
  };
  EXPECT_THROW(ticker.run(throwing), std::runtime_error);
  EXPECT_TRUE(ticker.run([&] { ran += 'd'; }));
  EXPECT_EQ(ran, "acd");
  EXPECT_FALSE(ticker.running());
}

TEST(UnderFolder, TurnsBackslashesIntoThisPlatformsSeparator) {
  const std::string s(1, platform::kSeparator);
  EXPECT_EQ(platform::underFolder("/opt/t q", "\\mapas\\a.mapa"),
            "/opt/t q" + s + "mapas" + s + "a.mapa");
}

// A box takes a key only if it was pressed after the box appeared: one down
// before (its first news a release or a repeat) counts again only when
// pressed more than 100 ms after a release; a quicker press is a repeat
// the window system failed to pair. 'p' press, 'P' repeated press, 'r'
// release, each at a time in ms; the answer is 'w' withheld or '.' let through.
// A caption replaces whatever the string held, at every width a coordinate may have.
TEST(Captions, APairReplacesTheTextBefore) {
  std::string caption = "anything before";
  platform::setPairText(caption, "Mapa ", 12, -3);
  EXPECT_EQ(caption, "Mapa (12,-3)");
  platform::setPairText(caption, "", INT32_MIN, INT32_MAX);
  EXPECT_EQ(caption, "(-2147483648,2147483647)");
}

TEST(FreshKeys, KeysHeldWhenTheBoxOpenedAreWithheldUntilPressedAnew) {
  const struct {
    std::vector<std::pair<char, int>> events;
    std::string want;
  } cases[] = {
      {{{'p', 0}, {'P', 30}, {'r', 40}, {'p', 50}}, ".w.."},  // fresh: only its repeats held back
      {{{'r', 0}, {'p', 50}, {'r', 60}, {'p', 161}, {'r', 170}}, "www.."},    // stale, then anew
      {{{'r', 0}, {'p', 100}, {'r', 110}, {'p', 210}, {'p', 400}}, "wwwww"},  // 100 ms is no gap
      {{{'P', 0}, {'r', 5}, {'p', 500}, {'P', 520}}, "ww.w"},
  };
  for (const auto& c : cases) {
    platform::FreshKeys keys;
    std::string got;
    for (const auto& [kind, ms] : c.events)
      got += keys.withhold(vk::Space, kind != 'r', kind == 'P', ms) ? 'w' : '.';
    EXPECT_EQ(got, c.want) << c.want;
  }
}

// The names every platform holds as files of their own, at the edges of
// each of Windows' rules.
TEST(FileNames, WhatWindowsCannotHoldIsRefusedByItsRule) {
  using F = platform::NameFault;
  const struct {
    std::vector<std::string> names;
    F fault;
  } cases[] = {
      {{""}, F::Empty},
      {{"a/b", "\\"}, F::Separator},
      {{"a\x1F", std::string("a\0b", 3), "a\x7F"}, F::Control},
      {{"<", ">", ":", "\"", "|", "?", "*"}, F::WindowsCharacter},
      {{".", "a ", "CON."}, F::TrailingDotOrSpace},
      {{"CON", "con", "Prn.txt", "aux.tar.gz", "NUL   .x", "CONIN$", "conout$.a", "COM0", "com9",
        "LPT1", "lpt9.x", "COM\u00B9", "COM\u00B2", "LPT\u00B3"},
       F::DeviceName},
      {{std::string(256, 'a')}, F::TooLong},
      {{std::string(255, 'a'), " a", "a b.c", "CONS", "COM", "COM10", "COMa", "COM\u00B4",
        "LPT\u00B9\u00B9", "xCON", "NUL_", "ñ€", "a.CON", ".x"},
       F::None},
  };
  for (const auto& c : cases)
    for (const std::string& name : c.names)
      EXPECT_EQ(platform::portableNameFault(name), c.fault) << name;
}

// A program whose folder holds a "mapas" folder is portable: it ships and
// keeps everything there. Any other is installed: it reads the prefix's
// share/tarnwick and keeps the player's files in his data folder.
TEST(FindFolders, PortableBesideAMapsFolderElseInstalled) {
  platform::testing::TempFiles files;
  const auto at = [&](const char* relative) {
    return *relative ? files.path(relative) : platform::testing::TempFiles::utf8(files.root);
  };
  const struct {
    const char* setup;  // "portable", "installed", "maps file": a file named mapas, "no home"
    const char *shipped, *player;
  } cases[] = {{"portable", "", ""},
               {"installed", "usr/share/tarnwick", "home/.local/share/tarnwick"},
               {"maps file", "usr/share/tarnwick", "home/.local/share/tarnwick"},
               {"no home", "usr/share/tarnwick", nullptr}};
  for (const auto& c : cases) {
    const std::string setup = c.setup;
    if (setup != "portable") files.install();
    if (setup == "maps file") files.put("usr/games/mapas", "");
    if (setup == "no home") files.userData.clear();
    const platform::Folders f = platform::findFolders(files);
    const std::string player = c.player ? at(c.player) : platform::underFolder(".", "\\tarnwick");
    EXPECT_EQ(f.shipped + " " + f.player, at(c.shipped) + " " + player) << setup;
    EXPECT_EQ(f.installed(), setup != "portable") << setup;
  }
}

TEST(WholeScale, RoundsHalvesUpThenLowersUntilTheWindowFits) {
  constexpr platform::Extent kGame{720, 545}, kRoomy{4000, 3000};
  struct Case {
    double scale;
    platform::Extent room;
    int k;
  } const cases[] = {
      {1.0, kRoomy, 1},       {1.25, kRoomy, 1},      {1.49, kRoomy, 1},
      {1.5, kRoomy, 2},       {1.75, kRoomy, 2},      {2.0, kRoomy, 2},
      {2.5, kRoomy, 3},       {3.0, kRoomy, 3},       {0.5, kRoomy, 1},
      {0.0, kRoomy, 1},       {-2.0, kRoomy, 1},      {1e300, kRoomy, 5},
      {2.0, {1440, 1090}, 2}, {2.0, {1439, 1090}, 1}, {2.0, {1440, 1089}, 1},
      {3.0, {1440, 1090}, 2}, {1.5, {1280, 960}, 1},  {2.0, {100, 100}, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::wholeScale(c.scale, kGame, c.room), c.k) << c.scale << " in " << c.room.w;
  EXPECT_EQ(platform::wholeScale(std::nan(""), kGame, kRoomy), 1);
  // No display is more than 64 times 96 dots per inch, however much room there is.
  for (const double huge : {65.0, 1e3})
    EXPECT_EQ(platform::wholeScale(huge, kGame, {99999, 99999}), 64);
}

TEST(WholeScale, DevicePixelsGoBackToTheLayoutPixelTheyLieIn) {
  for (const int k : {1, 2, 3}) {
    for (int pixel = -3; pixel < 4; ++pixel)
      for (int part = 0; part < k; ++part)
        EXPECT_EQ(platform::unscaled(pixel * k + part, k), pixel) << k;
    const platform::Box b = platform::scaled(platform::Box{3, 4, 5, 6}, k);
    EXPECT_TRUE(b.x == 3 * k && b.y == 4 * k && b.w == 5 * k && b.h == 6 * k);
    // Faces of bitmaps have no larger glyphs; the others keep their face.
    const platform::Font bitmap = platform::scaled({"MS Sans Serif", 11, true}, k);
    EXPECT_EQ(std::string(bitmap.family), k == 1 ? "MS Sans Serif" : "Microsoft Sans Serif");
    EXPECT_TRUE(bitmap.pixels == 11 * k && bitmap.bold);
    EXPECT_EQ(std::string(platform::scaled({"MS Sans Serif", 11, true}, k, false).family),
              "Microsoft Sans Serif");
    EXPECT_EQ(std::string(platform::scaled({"Arial", 12, false}, k, false).family), "Arial");
    // A glyph's ink k device pixels in, or further, is not moved; one nearer is moved to there.
    for (const int left : {-2, 0, k - 1, k, k + 3})
      EXPECT_EQ(left + platform::inkShift(left, k), std::max(left, platform::kInkLeft * k)) << left;
  }
}
