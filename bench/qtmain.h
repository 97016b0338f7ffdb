// The main of a benchmark program that needs Qt's widgets: an offscreen
// application around the benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace bench {

inline int runWithQt(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
