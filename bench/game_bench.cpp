// The game's hot paths: composing the field.
#include <benchmark/benchmark.h>

#include "game/tests/fakes.h"

namespace {

// A full 30 x 20 view: grass and earth, a lake, the hero and 20 enemies.
void BM_Dibujar(benchmark::State& state) {
  gametest::Game g;
  game::Main& m = g.main;
  m.maxx = 59;
  m.maxy = 39;
  for (int y = 0; y <= m.maxy; ++y)
    for (int x = 0; x <= m.maxx; ++x) {
      const int16_t t = (x > 20 && x < 32 && y > 8 && y < 18) ? 3 : static_cast<int16_t>((x + y) % 3 == 0);
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

}  // namespace

BENCHMARK_MAIN();
