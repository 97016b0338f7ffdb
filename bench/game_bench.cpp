// The game's rules alone: composing the field, a tick of a fight, loading
// the largest map through the real file layer.
#include <benchmark/benchmark.h>

#include "game/testing/scenes.h"
#include "bench/sidebyside.h"
#include "game/testing/fakes.h"
#include "mapformat/reader.h"

namespace {

using Partida = gametest::Steady;

// Every tile composed anew, with the worst stacks: each timed frame follows
// one with the water's other phase, so no tile is left as it was.
void BM_DibujarWorstFrame(benchmark::State& state) {
  Partida p;
  gametest::worstFrame(p.m);
  for (auto _ : state) {
    state.PauseTiming();
    p.m.cuadro = 4;
    p.m.dibujar();
    p.m.cuadro = 7;
    state.ResumeTiming();
    p.m.dibujar();
    benchmark::DoNotOptimize(p.m.mainpic().pixels.data());
  }
}
BENCHMARK(BM_DibujarWorstFrame)->Unit(benchmark::kMicrosecond);

// The same frame composed pass by pass from a white field, as the mask and
// figure transfers are defined: the reference the frames are tested against.
void BM_DibujarWorstFrameTwoPasses(benchmark::State& state) {
  Partida p;
  gametest::worstFrame(p.m);
  for (auto _ : state) benchmark::DoNotOptimize(gametest::dosPasadas(p.m).pixels.data());
}
BENCHMARK(BM_DibujarWorstFrameTwoPasses)->Unit(benchmark::kMicrosecond);

// The usual case: a frame where nothing moved (the second drawing of an idle tick).
void BM_DibujarUnchangedFrame(benchmark::State& state) {
  Partida p;
  gametest::worstFrame(p.m);
  for (auto _ : state) p.m.dibujar();
}
BENCHMARK(BM_DibujarUnchangedFrame)->Unit(benchmark::kMicrosecond);

// One tick of a fight that lasts: the hero holds Space and an arrow, the 101
// enemies around him walk in and strike, and nobody dies.
void BM_TickFight101(benchmark::State& state) {
  Partida p;
  p.jugar(gametest::fightMap());
  long long golpes = 0, n = 0;
  for (auto _ : state) {
    p.tick(Partida::Play::Fighting, n++);
    golpes += (1 << 30) - p.m.jugador.vida;
  }
  if (p.m.enemigosrestantes != game::kMaxUnits || !p.m.conmapa)
    state.SkipWithError("the fight ended");
  state.counters["enemies"] = p.m.enemigosrestantes;
  state.counters["damage/tick"] =
      benchmark::Counter(static_cast<double>(golpes), benchmark::Counter::kAvgIterations);
  state.counters["hero strikes/tick"] =
      benchmark::Counter(static_cast<double>(p.sound.plays), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TickFight101)->Unit(benchmark::kMicrosecond);

// The largest map the grid holds: 1000 x 1000 with 101 enemies.
std::string largestMap() {
  mapformat::MapData map;
  map.reset(999, 999);
  for (std::size_t i = 0; i < map.terrain.size(); ++i)
    map.terrain[i] = static_cast<int16_t>(i % 7 == 0 ? 2 : i % 3);
  map.px = map.py = 500;
  map.unitCount = 101;
  for (int i = 0; i < 101; ++i)
    map.units[static_cast<std::size_t>(i)] = {
        static_cast<int16_t>(i * 9), static_cast<int16_t>(i * 7), static_cast<int16_t>(i % 3)};
  return mapformat::write(map);
}

// From the file on disk, through the real file layer, to the first frame.
void BM_CargarmapaLargest(benchmark::State& state) {
  Partida p;
  p.jugar(largestMap(), "grande.mapa");
  const std::string path = p.files.path("mapas/grande.mapa");
  for (auto _ : state) {
    p.m.cargarmapa(path);
    if (!p.m.conmapa || p.m.enemigosrestantes != 101) state.SkipWithError("map did not load");
  }
}
BENCHMARK(BM_CargarmapaLargest)->Unit(benchmark::kMillisecond);

// The same file read as a first attempt would: through the same file layer,
// then every field split into a string of its own and converted one by one.
void BM_NaiveReaderLargest(benchmark::State& state) {
  Partida p;
  p.files.put("mapas/grande.mapa", largestMap());
  const std::string path = p.files.path("mapas/grande.mapa");
  const auto split = [](const std::string& s, const std::string& by) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(by, from)) != std::string::npos; from = at + by.size())
      parts.push_back(s.substr(from, at - from));
    parts.push_back(s.substr(from));
    return parts;
  };
  for (auto _ : state) {
    const auto text = p.files.read(path, mapformat::kMaxFileBytes);
    const auto secciones = split(*text, "/fin/");
    std::vector<int16_t> celdas;
    for (const std::string& c : split(secciones.at(1), ","))
      if (!c.empty()) celdas.push_back(static_cast<int16_t>(std::stoi(c)));
    int unidades = 0;
    for (const std::string& u : split(secciones.at(3), "/unit/"))
      if (!u.empty()) unidades += std::stoi(split(u, ":").at(1)) >= 0;
    if (celdas.size() != 1000000 || unidades != 101) state.SkipWithError("misread");
  }
}
BENCHMARK(BM_NaiveReaderLargest)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runSideBySide(argc, argv,
                              {{"BM_DibujarWorstFrameTwoPasses", "BM_DibujarWorstFrame"},
                               {"BM_NaiveReaderLargest", "BM_CargarmapaLargest"}});
}
