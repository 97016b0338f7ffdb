// The game's hot paths: composing the field.
#include <benchmark/benchmark.h>

#include "game/tests/fakes.h"
#include "mapformat/writer.h"

namespace {

// A full 30 x 20 view: grass and earth, a lake, the hero and 20 enemies.
void BM_Dibujar(benchmark::State& state) {
  gametest::Game g;
  game::Main& m = g.m;
  m.maxx = 59;
  m.maxy = 39;
  for (int y = 0; y <= m.maxy; ++y)
    for (int x = 0; x <= m.maxx; ++x) {
      const int16_t t =
          (x > 20 && x < 32 && y > 8 && y < 18) ? 3 : static_cast<int16_t>((x + y) % 3 == 0);
      m.casilla(x, y) = game::Casilla{t, false, -1, false, t >= 2};
    }
  m.mapax = 10;
  m.mapay = 5;
  m.casilla(25, 15).heroe = true;
  for (int i = 0; i < 20; ++i) {
    auto& e = m.listaenemigos[static_cast<std::size_t>(i)];
    e.activo = true;
    e.tipo = static_cast<int16_t>(i % 3);
    e.direccion = static_cast<int16_t>(i % 8);
    m.casilla(11 + i, 6 + i % 15).enemigo = static_cast<int16_t>(i);
  }
  m.cuadro = 7;
  for (auto _ : state) {
    m.dibujar();
    benchmark::DoNotOptimize(m.mainpic().pixels.data());
  }
}
BENCHMARK(BM_Dibujar)->Unit(benchmark::kMicrosecond);

// One whole tick with all 101 enemies in sight of the hero, walking and
// striking; the hero holds Right and Space and never dies.
void BM_TickWith101Enemies(benchmark::State& state) {
  gametest::Game g;
  mapformat::MapData map;
  map.reset(59, 39);
  map.px = 20;
  map.py = 15;
  // Around the hero, within four cells: 80 cells, so 21 of them hold two.
  for (int i = 0; map.unitCount < 101; ++i) {
    const int x = 16 + i % 9, y = 11 + (i / 9) % 9;
    if (x == 20 && y == 15) continue;
    map.units[static_cast<std::size_t>(map.unitCount++)] = {
        static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(i % 3)};
  }
  g.jugando(mapformat::write(map));
  g.m.jugador.vida = g.m.jugador.vidamax = 1 << 30;
  g.keys.held = {platform::vk::Right, platform::vk::Space};
  for (auto _ : state) g.m.maintimer_Timer();
  state.counters["enemies"] = g.m.enemigosrestantes;
}
BENCHMARK(BM_TickWith101Enemies)->Unit(benchmark::kMicrosecond);

// Loading the largest map the grid holds, from the file to the first frame.
void BM_CargarmapaLargest(benchmark::State& state) {
  gametest::Game g;
  mapformat::MapData map;
  map.reset(999, 999);
  for (std::size_t i = 0; i < map.terrain.size(); ++i)
    map.terrain[i] = static_cast<int16_t>(i % 7 == 0 ? 2 : i % 3);
  map.px = map.py = 500;
  map.unitCount = 101;
  for (int i = 0; i < 101; ++i)
    map.units[static_cast<std::size_t>(i)] = {
        static_cast<int16_t>(i * 9), static_cast<int16_t>(i * 7), static_cast<int16_t>(i % 3)};
  g.files.put("mapas/grande.mapa", mapformat::write(map));
  const std::string path = g.files.path("mapas/grande.mapa");
  for (auto _ : state) {
    g.m.cargarmapa(path);
    if (!g.m.conmapa) state.SkipWithError("map did not load");
  }
}
BENCHMARK(BM_CargarmapaLargest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
