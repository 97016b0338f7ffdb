// The editor's file commands on its largest map: 200 x 200 with 101 enemies.
#include <benchmark/benchmark.h>

#include "editor/tests/editor_fixture.h"

namespace {

void prepare(edittest::Editor& e) {
  e.p.nuevomapa(200, 200);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) e.p.mapa(x, y).terreno = static_cast<int16_t>((x * 7 + y) % 4);
  e.p.pers_Click();
  e.click(3, 4);
  e.p.enem_Click(1);
  for (int i = 0; i < 101; ++i) e.click(i % 30, 5 + i / 30);
}

void BM_GuardarMapa200(benchmark::State& state) {
  edittest::Editor e;
  prepare(e);
  for (auto _ : state) {
    if (!e.guardar("mapas/grande.mapa")) state.SkipWithError("not saved");
    e.messages.shown.clear();
    e.dialog.asked.clear();
  }
}
BENCHMARK(BM_GuardarMapa200)->Unit(benchmark::kMillisecond);

void BM_AbrirMapa200(benchmark::State& state) {
  edittest::Editor e;
  prepare(e);
  e.guardar("mapas/grande.mapa");
  for (auto _ : state) {
    e.abrir("mapas/grande.mapa");
    e.dialog.asked.clear();
  }
}
BENCHMARK(BM_AbrirMapa200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
