// A benchmark main that also prints how many times slower one benchmark
// ran than another in the same run, so a ratio never mixes two runs.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

class SideBySide : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.iterations > 0)
        seconds_[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  // "slow / fast: N x", when both ran.
  void ratio(const std::string& slow, const std::string& fast) const {
    const auto s = seconds_.find(slow), f = seconds_.find(fast);
    if (s != seconds_.end() && f != seconds_.end() && f->second > 0)
      std::printf("%s / %s: %.1f x\n", slow.c_str(), fast.c_str(), s->second / f->second);
  }

 private:
  std::map<std::string, double> seconds_;
};

// Runs the benchmarks, then prints each (slow, fast) ratio.
inline int runSideBySide(int argc, char** argv,
                         const std::vector<std::pair<std::string, std::string>>& ratios) {
  benchmark::Initialize(&argc, argv);
  SideBySide reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const auto& [slow, fast] : ratios) reporter.ratio(slow, fast);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
