// The rules' heaviest work timed inside a browser page (bench.html, opened
// by tools/web_figures.py): the worst frame the rules allow, and a tick of
// a fight with 101 enemies whose frame is then put on the page's canvas as
// the game's page puts it. Google Benchmark does not build for the browser:
// each figure is the median and the worst of many runs, timed by the page's
// clock.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "game/testing/scenes.h"
#include "platform/web/webpage.h"

namespace {

// clang-format off
EM_JS(void, jsResult, (const char* name, double median, double worst, int runs), {
  (window.tarnwickBench = window.tarnwickBench || {})[UTF8ToString(name)] =
      {median_us: median, worst_us: worst, runs: runs};
});
// clang-format on

// The page's clock ticks every 100 us (browsers coarsen it): each sample
// times kBatch runs together. The figures are per run, divided by `per`
// when a run does the work that many times: the median sample's and the
// slowest sample's.
constexpr int kBatch = 25, kSamples = 80;

template <class Run>
void measure(const char* name, int per, Run run) {
  std::vector<double> us;
  us.reserve(kSamples);
  int n = 0;
  for (int s = 0; s < kSamples; ++s) {
    const double start = emscripten_get_now();
    for (int b = 0; b < kBatch; ++b) run(n++);
    us.push_back(1000.0 * (emscripten_get_now() - start) / (kBatch * per));
  }
  std::sort(us.begin(), us.end());
  const double median = us[us.size() / 2], worst = us.back();
  std::printf("%s: median %.1f us, slowest sample %.1f us, %d runs\n", name, median, worst,
              n * per);
  jsResult(name, median, worst, n * per);
}

}  // namespace

int main() {
  using Partida = gametest::Steady;
  {
    Partida p;
    gametest::worstFrame(p.m);
    // Each timed frame follows one with the water's other phase: no tile is left as it was.
    // The water's two phases in turn: no tile is left as it was.
    measure("dibujar, worst frame", 2, [&](int) {
      p.m.cuadro = 4;
      p.m.dibujar();
      p.m.cuadro = 7;
      p.m.dibujar();
    });
  }
  {
    Partida p;
    p.jugar(gametest::fightMap());
    platform::web::picture("mainpic", 0, 0, p.m.mainpic());
    measure("fight tick, 101 enemies, frame put on the canvas", 1, [&](int n) {
      p.tick(Partida::Play::Fighting, n);
      platform::web::present("mainpic", p.m.mainpic(), p.view.changed);
      p.view.changed = {};
    });
    if (p.m.enemigosrestantes != game::kMaxUnits || !p.m.conmapa) std::printf("the fight ended\n");
  }
  EM_ASM({ window.tarnwickBench.done = true; });
  return 0;
}
