// TarnwickEdit on Windows: the editor's entry point.
#include <windows.h>

#include "editor/win32/principalwindow.h"
#include "platform/win32/win32app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  editor::PrincipalWindow window(instance);
  ShowWindow(window.hwnd(), show);
  return platform::runMessages([&window] { return window.neww(); });
}
