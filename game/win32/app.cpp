// TarnwickQuest on Windows: the game's entry point.
#include <windows.h>

#include "game/win32/mainwindow.h"
#include "platform/win32/win32app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  game::MainWindow window(instance);
  ShowWindow(window.hwnd(), show);
  return platform::runMessages();
}
