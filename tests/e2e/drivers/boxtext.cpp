// Prints the texts of a window of a program running in the same Wine
// session: the static controls of the visible top-level window with the
// given title, one per line, in UTF-8. What a message box says, or the
// editor's labels, as Windows holds them, whatever font draws them. Exits 1
// while no such window is open. With --foreground, prints the title of the
// window that has the keyboard: under Wine, the X focus on any of a
// program's windows sends the keys to that one.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Read from what the system holds, never asked of the window: another
// process's window is not sent WM_GETTEXT, but GetWindowTextLength would
// send it WM_GETTEXTLENGTH and wait as long as its thread is busy.
void print(HWND window) {
  std::wstring text(4096, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  if (text.empty()) return;  // the icon
  std::string utf8(static_cast<std::size_t>(text.size()) * 3, '\0');
  utf8.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                          static_cast<int>(utf8.size()), nullptr, nullptr)));
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

BOOL CALLBACK printStatic(HWND child, LPARAM) {
  wchar_t type[16] = {};
  GetClassNameW(child, type, 16);
  if (lstrcmpiW(type, L"Static") == 0) print(child);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  if (lstrcmpW(argv[1], L"--foreground") == 0) {
    const HWND window = GetForegroundWindow();
    if (!window) return 1;
    print(window);
    return 0;
  }
  const HWND window = FindWindowW(nullptr, argv[1]);
  if (!window || !IsWindowVisible(window)) return 1;
  EnumChildWindows(window, printStatic, 0);
  return 0;
}
