// Reading and writing the largest maps the programs meet.
#include <benchmark/benchmark.h>

#include <random>

#include "mapformat/reader.h"
#include "mapformat/writer.h"

namespace {

// A designed-looking 1000 x 1000 map: mostly grass and earth, some trees and
// water, 101 enemies.
std::string bigMapText(int w, int h) {
  mapformat::MapData map;
  map.reset(static_cast<int16_t>(w - 1), static_cast<int16_t>(h - 1));
  std::mt19937 rng(7);
  std::discrete_distribution<int> ground({60, 25, 10, 5});
  for (auto& c : map.terrain) c = static_cast<int16_t>(ground(rng));
  map.px = static_cast<int16_t>(w / 2);
  map.py = static_cast<int16_t>(h / 2);
  map.unitCount = mapformat::kMaxUnits;
  for (int i = 0; i < map.unitCount; ++i)
    map.units[static_cast<std::size_t>(i)] = {static_cast<int16_t>(i * 9 % w),
                                              static_cast<int16_t>(i * 7 % h),
                                              static_cast<int16_t>(i % 3)};
  return mapformat::write(map);
}

void BM_ReadMap(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const std::string text = bigMapText(side, side);
  mapformat::MapData map;
  for (auto _ : state) {
    const auto fault = mapformat::read(text, mapformat::Reader::Game, map);
    if (fault != mapformat::Fault::None) state.SkipWithError("map did not read");
    benchmark::DoNotOptimize(map.terrain.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadMap)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_WriteMap(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  mapformat::MapData map;
  mapformat::read(bigMapText(side, side), mapformat::Reader::Editor, map);
  std::string out;
  for (auto _ : state) {
    mapformat::write(map, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_WriteMap)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
