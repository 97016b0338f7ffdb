// What a strike's sound costs the tick: QtSound::play with a loaded effect,
// on a machine with no audio device (the usual test machine).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "platform/qt/qtsound.h"

namespace {

void writeTone(const QString& path) {
  const int rate = 22050, samples = rate / 10;
  QByteArray d;
  auto u16 = [&](int v) { d.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
  auto u32 = [&](int v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  d.append("RIFF");
  u32(36 + samples * 2);
  d.append("WAVEfmt ");
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  d.append("data");
  u32(samples * 2);
  for (int i = 0; i < samples; ++i) u16(int(6000 * std::sin(i * 0.1)));
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(d);
}

void BM_PlaySound(benchmark::State& state) {
  QTemporaryDir dir;
  writeTone(dir.filePath("hit0.wav"));
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
