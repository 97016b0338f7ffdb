// The plain parts of the seam: key latches, the random source, folder literals.
#include <gtest/gtest.h>

#include <set>

#include "platform/files.h"
#include "platform/keytracker.h"
#include "platform/random.h"

using platform::KeyTracker;
namespace vk = platform::vk;

TEST(KeyTracker, PressedMeansHeldNowOrPressedSinceTheLastQueryOfThatKey) {
  KeyTracker keys;
  EXPECT_FALSE(keys.pressed(vk::Left));
  keys.press(vk::Left);  // tapped between two queries: counts once
  keys.release(vk::Left);
  keys.press(vk::Down);
  keys.release(vk::Down);
  EXPECT_TRUE(keys.pressed(vk::Left));
  EXPECT_FALSE(keys.pressed(vk::Left));
  EXPECT_TRUE(keys.pressed(vk::Down));  // querying Left left Down's latch alone
  keys.press(vk::Space);                // held: counts at every query
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(keys.pressed(vk::Space));
  keys.release(vk::Space);
  EXPECT_FALSE(keys.pressed(vk::Space));
  for (int code : {-1, 256, 1 << 30}) {  // foreign codes are ignored
    keys.press(code);
    EXPECT_FALSE(keys.pressed(code));
  }
}

TEST(KeyTracker, ReleaseAllKeepsPendingPresses) {
  KeyTracker keys;
  keys.press(vk::R);
  keys.press(vk::G);
  EXPECT_TRUE(keys.pressed(vk::G));
  keys.releaseAll();
  EXPECT_TRUE(keys.pressed(vk::R));  // pressed before focus left, not yet seen
  EXPECT_FALSE(keys.pressed(vk::R));
  EXPECT_FALSE(keys.pressed(vk::G));
}

TEST(ClockRandom, StaysInHalfOpenUnitRange) {
  platform::ClockRandom random;
  random.seedFromClock();
  std::set<double> seen;
  double sum = 0;
  constexpr int n = 200000;
  for (int i = 0; i < n; ++i) {
    const double v = random.next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    sum += v;
    seen.insert(v);
  }
  EXPECT_NEAR(sum / n, 0.5, 0.01);
  EXPECT_GT(seen.size(), size_t(n * 0.99));
}

TEST(UnderFolder, TurnsBackslashesIntoSlashes) {
  EXPECT_EQ(platform::underFolder("/opt/tq", "\\mapas\\default.mapa"),
            "/opt/tq/mapas/default.mapa");
  EXPECT_EQ(platform::underFolder("/opt/tq", "\\sonidos\\golpe.wav"), "/opt/tq/sonidos/golpe.wav");
  EXPECT_EQ(platform::underFolder("", "\\x"), "/x");
  EXPECT_EQ(platform::underFolder("/a b", "plain"), "/a bplain");
}
