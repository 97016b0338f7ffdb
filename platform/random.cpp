#include "platform/random.h"

#include <chrono>

namespace platform {

void ClockRandom::seedFromClock() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seq{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
  engine_.seed(seq);
}

double ClockRandom::next() {
  // 32 random bits scaled by 2^-32: at most (2^32-1)/2^32 < 1 exactly, with
  // no rounding up (std::generate_canonical may return 1.0 in libstdc++).
  return static_cast<double>(engine_()) * (1.0 / 4294967296.0);
}

}  // namespace platform
