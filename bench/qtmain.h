// The main of a benchmark program that needs Qt's widgets: an application
// around the benchmarks, offscreen unless QT_QPA_PLATFORM names another
// platform (xcb, to measure under X).
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace bench {

inline int runWithQt(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
