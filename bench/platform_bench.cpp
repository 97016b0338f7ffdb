// Composing a field frame from masked figures: the plain passes, and the
// tile field the programs draw with when nothing can be reused.
#include <benchmark/benchmark.h>

#include "bench/sidebyside.h"
#include "media/bitmap.h"
#include "media/tilefield.h"

namespace {

using media::Bitmap;
using media::Rop;

// Every one of the 600 tiles gets ground, water and two figures, each a
// mask pass and a figure pass, over a field cleared to white.
void BM_WorstCaseFrameTwoPasses(benchmark::State& state) {
  Bitmap frame(600, 400), sheet(80, 160, 0xFF808080);
  const Bitmap blank(600, 400);
  for (auto _ : state) {
    media::copy(frame, 0, 0, blank);
    for (int r = 0; r < 20; ++r)
      for (int k = 0; k < 30; ++k)
        for (int pass = 0; pass < 4; ++pass) {
          media::bitblt(frame, 20 * k, 20 * r, sheet, 20, 20 * pass, Rop::MergePaint);
          media::bitblt(frame, 20 * k, 20 * r, sheet, 0, 20 * pass, Rop::SrcAnd);
        }
    benchmark::DoNotOptimize(frame.pixels.data());
  }
}
BENCHMARK(BM_WorstCaseFrameTwoPasses)->Unit(benchmark::kMicrosecond);

// The same four layers per tile, but every tile's stack differs from every
// other and from the last frame's, so no tile is kept and no composed stack
// is reused: more than any view of a map can hold.
void BM_WorstCaseFrameTileField(benchmark::State& state) {
  Bitmap frame(600, 400), sheet(80, 160, 0xFF808080);
  const Bitmap blank(600, 400);
  media::TileField field(frame, blank, 30, 20);
  int frames = 0;
  const auto at = [](int v) { return static_cast<int16_t>(20 * v); };
  for (auto _ : state) {
    field.begin();
    for (int t = 0; t < 600; ++t) {
      const int u = t + 600 * (frames % 2);
      media::TileField::Stack s;
      s.push({&sheet, at(u % 4), at(u / 4 % 8), at(u % 4), at(u / 4 % 8)});
      s.push({&sheet, at(u / 32 % 4), at(u / 128 % 8), at(1), at(2)});
      s.push({&sheet, at(1), at(3), at(0), at(4)});
      s.push({&sheet, at(1), at(5), at(0), at(6)});
      field.draw(t % 30, t / 30, s);
    }
    ++frames;
    benchmark::DoNotOptimize(frame.pixels.data());
  }
}
BENCHMARK(BM_WorstCaseFrameTileField)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runSideBySide(argc, argv,
                              {{"BM_WorstCaseFrameTwoPasses", "BM_WorstCaseFrameTileField"}});
}
