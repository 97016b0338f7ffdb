// What a sound costs the tick, on a machine with no audio device (the usual
// test machine): QtSound::play with a loaded effect, and the first play of a
// file at the size limit, which reads and converts it and hands it to Qt.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/qtmain.h"
#include <QTemporaryDir>
#include <memory>

#include "media/wavfile.h"
#include "platform/qt/qtsound.h"
#include "platform/testing/wav.h"

namespace {

void BM_PlaySound(benchmark::State& state) {
  QTemporaryDir dir;
  platform::testing::writeTone(dir.filePath("hit0.wav").toStdString(), 440);
  platform::QtSound sound;
  const std::string path = dir.filePath("hit0.wav").toStdString();
  sound.play(path);  // the first play loads the file
  QCoreApplication::processEvents();
  for (auto _ : state) {
    sound.play(path);
    QCoreApplication::processEvents();  // as between two ticks, where the replaced effect is
                                        // deleted
  }
}
BENCHMARK(BM_PlaySound)->Unit(benchmark::kMicrosecond);

// Once per file and program run; under half a tick (50 ms) keeps it unseen.
void BM_FirstPlayOfTheLargestSound(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("dead.wav").toStdString();
  const double seconds = (media::kMaxWavBytes - 44) / (22050.0 * 2);
  platform::testing::writeTone(path, 220, seconds);
  for (auto _ : state) {
    auto sound = std::make_unique<platform::QtSound>();
    sound->play(path);
    QCoreApplication::processEvents();
    state.PauseTiming();
    sound.reset();  // waits for Qt's loading thread (see ~QtSound)
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstPlayOfTheLargestSound)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWithQt(argc, argv); }
