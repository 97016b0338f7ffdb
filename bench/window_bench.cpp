// A tick of the whole game through its real window, offscreen: the rules,
// the captions and the paint that follows, in steady play. Counts the heap
// allocations per tick of the whole program, Qt's included.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/qtmain.h"
#include <QKeyEvent>
#include <QTemporaryDir>
#include <fstream>

#include "platform/testing/allocations.h"
#include "game/testing/scenes.h"
#include "game/qt/mainwindow.h"

namespace {

enum class Juego { Quieto, Andando, Luchando };

// A hero on a map, in the shown and active window.
struct Ventana {
  QTemporaryDir dir;
  game::MainWindow w;
  explicit Ventana(const std::string& mapa) {
    w.show();
    QApplication::setActiveWindow(&w);
    const std::string path = dir.filePath("prueba.mapa").toStdString();
    std::ofstream(path, std::ios::binary) << mapa;
    gametest::heroeEn(w.rules(), path);
    QApplication::processEvents();
  }
  void key(QEvent::Type type, int key) {
    QKeyEvent e(type, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
  }
};

void run(benchmark::State& state, Juego juego) {
  Ventana v(juego == Juego::Luchando ? gametest::fightMap() : gametest::walkMap());
  if (!v.w.rules().conmapa) return state.SkipWithError("no map");
  long long allocations = 0, ticks = 0;
  if (juego == Juego::Luchando) v.key(QEvent::KeyPress, Qt::Key_Space);
  for (auto _ : state) {
    if (juego == Juego::Luchando) gametest::keepFighting(v.w.rules());
    if (juego != Juego::Quieto) {  // left and right in turn: a step every tick
      const bool right = ticks % 2 == 0;
      v.key(QEvent::KeyRelease, right ? Qt::Key_Left : Qt::Key_Right);
      v.key(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left);
    }
    const long long before = platform::testing::allocations.load();
    platform::testing::traceAllocations =
        ticks >= 50 && ticks < 60 && std::getenv("TARNWICK_TRACE_ALLOCATIONS");
    v.w.tick();
    QApplication::processEvents();  // the paint, as the event loop does after the timer
    platform::testing::traceAllocations = false;
    allocations += platform::testing::allocations.load() - before;
    ++ticks;
  }
  const game::Main& m = v.w.rules();
  if (juego == Juego::Luchando && (m.enemigosrestantes != game::kMaxUnits || m.jugador.muerto))
    state.SkipWithError("the fight ended");
  state.counters["allocations/tick"] =
      static_cast<double>(allocations) / static_cast<double>(ticks);
}

void BM_WindowTickIdle(benchmark::State& s) { run(s, Juego::Quieto); }
void BM_WindowTickWalking(benchmark::State& s) { run(s, Juego::Andando); }
void BM_WindowTickFight101(benchmark::State& s) { run(s, Juego::Luchando); }
BENCHMARK(BM_WindowTickIdle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowTickWalking)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowTickFight101)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWithQt(argc, argv); }
