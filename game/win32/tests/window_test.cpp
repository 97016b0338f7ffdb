// The game's Windows window under Wine: a tick of steady play, walking or
// fighting, shown through the window's own paint, allocates nothing of
// ours (what Wine allocates inside its calls is its own heap, not counted).
#include <fstream>

#include "game/win32/mainwindow.h"
#include "platform/testing/allocations.h"
#include "game/testing/scenes.h"

namespace {

// Handles what is waiting, the paint last, as the message loop does.
void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

// Idle, the window paints only when the water's second tile comes or goes.
TEST(Win32Window, StepsAndFightsWithoutAllocatingAndPaintsOnlyWhatChanged) {
  enum Juego { Quieto, Andando, Luchando };
  for (const Juego juego : {Quieto, Andando, Luchando}) {
    platform::testing::TempFiles files;
    files.put("mapas/prueba.mapa", juego == Luchando ? gametest::fightMap() : gametest::walkMap());
    game::MainWindow w(GetModuleHandleW(nullptr));
    ShowWindow(w.hwnd(), SW_SHOW);
    game::Main& m = w.rules();
    gametest::heroeEn(m, files.path("mapas/prueba.mapa"));
    ASSERT_TRUE(m.conmapa);
    pump();
    long long allocations = 0;
    int changed = 0, unpainted = 0, shimmers = 0;
    for (int n = 0; n < 130; ++n) {
      // No keys: the hero walks to the destination he is given, left and
      // right in turn, or stays; in the fight the enemies walk in and strike.
      if (juego == Luchando) gametest::keepFighting(m);
      m.jugador.destx = static_cast<int16_t>(m.jugador.x + (juego == Quieto ? 0 : n % 2 ? 1 : -1));
      const long long before = platform::testing::allocations.load();
      w.onTimer();
      // The first tick shows the hero's place for the first time.
      shimmers += n > 0 && (m.cuadro == 5 || m.cuadro == 11);
      changed += n > 0 && GetUpdateRect(w.hwnd(), nullptr, FALSE) != FALSE;
      pump();
      unpainted += GetUpdateRect(w.hwnd(), nullptr, FALSE) != FALSE;
      if (n >= 30) allocations += platform::testing::allocations.load() - before;
    }
    EXPECT_EQ(allocations, 0) << juego;
    // What the labels show, screen readers read from the window's controls.
    std::wstring textos = L"|";
    EnumChildWindows(
        w.hwnd(),
        [](HWND child, LPARAM all) {
          wchar_t text[256] = {};
          GetWindowTextW(child, text, 256);
          *reinterpret_cast<std::wstring*>(all) += std::wstring(text) + L"|";
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&textos));
    EXPECT_NE(textos.find(L"|Persona (" + std::to_wstring(m.jugador.x) + L"," +
                          std::to_wstring(m.jugador.y) + L")|"),
              std::wstring::npos)
        << juego;
    EXPECT_NE(textos.find(L"|Enemigos: " + std::to_wstring(m.enemigosrestantes) + L"|"),
              std::wstring::npos);
    EXPECT_EQ(m.enemigosrestantes, juego == Luchando ? 101 : 14);
    // Every step scrolls the view; a third of the fight's ticks at least
    // bring strikes. The window painted whatever changed.
    EXPECT_EQ(unpainted, 0) << juego;
    if (juego == Quieto) {
      EXPECT_EQ(changed, shimmers);
    } else {
      EXPECT_GE(changed, juego == Luchando ? 43 : 129) << juego;
    }
  }
}
