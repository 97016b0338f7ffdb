// What a strike's sound costs the tick: QtSound::play with a loaded effect,
// on a machine with no audio device (the usual test machine).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/qt/qtsound.h"
#include "platform/testing/wav.h"

namespace {

void BM_PlaySound(benchmark::State& state) {
  QTemporaryDir dir;
  platform::testing::writeTone(dir.filePath("hit0.wav"), 440);
  platform::QtSound sound;
  const std::string path = dir.filePath("hit0.wav").toStdString();
  sound.play(path);  // the first play loads the file
  QCoreApplication::processEvents();
  for (auto _ : state) sound.play(path);
}
BENCHMARK(BM_PlaySound)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
