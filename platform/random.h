// The random source of the rules: seeded from the clock, numbers in [0, 1).
#pragma once

#include <random>

namespace platform {

class Random {
 public:
  virtual ~Random() = default;
  virtual void seedFromClock() = 0;
  // Uniform in [0, 1); never 1.0.
  virtual double next() = 0;
};

class ClockRandom final : public Random {
 public:
  void seedFromClock() override;
  double next() override;

 private:
  std::mt19937 engine_{5489u};
};

}  // namespace platform
