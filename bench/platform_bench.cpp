// Composing a field frame with the mask-and-figure transfers the game uses.
#include <benchmark/benchmark.h>

#include "platform/bitmap.h"

namespace {

using platform::Bitmap;
using platform::Rop;

// Worst case: every one of the 600 tiles gets ground, water and two figures,
// each a mask pass and a figure pass.
void BM_WorstCaseFrame(benchmark::State& state) {
  Bitmap frame(600, 400), sheet(80, 160, 0xFF808080);
  const Bitmap blank(600, 400);
  for (auto _ : state) {
    platform::copy(frame, 0, 0, blank);
    for (int r = 0; r < 20; ++r)
      for (int k = 0; k < 30; ++k)
        for (int pass = 0; pass < 4; ++pass) {
          platform::bitblt(frame, 20 * k, 20 * r, sheet, 20, 20 * pass, Rop::MergePaint);
          platform::bitblt(frame, 20 * k, 20 * r, sheet, 0, 20 * pass, Rop::SrcAnd);
        }
    benchmark::DoNotOptimize(frame.pixels.data());
  }
}
BENCHMARK(BM_WorstCaseFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
