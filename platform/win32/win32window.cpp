#include "platform/win32/win32window.h"

#include "platform/win32/win32app.h"

namespace platform {

namespace {
constexpr UINT_PTR kTimer = 1;
}  // namespace

// The object is half gone here: the window's last messages go to Windows alone.
Win32Window::~Win32Window() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void Win32Window::create(HINSTANCE instance, const wchar_t* className, const wchar_t* title,
                         DWORD style, HBRUSH background, int width, int height, HMENU menu) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = &Win32Window::proc;
  type.hInstance = instance;
  type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  type.hbrBackground = background;
  type.lpszClassName = className;
  RegisterClassExW(&type);
  // The user cannot resize the window: it is as big as its contents.
  CreateWindowExW(0, className, title,
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | style, CW_USEDEFAULT,
                  CW_USEDEFAULT, width, height, nullptr, menu, instance, this);
  if (!hwnd_) return;
  width_ = width;
  height_ = height;
  k_ = windowScale(hwnd_, dpiOf(hwnd_), MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), width,
                   height);
  setClientSize(hwnd_, width * k_, height * k_);
  keys_.attach(hwnd_);
}

void Win32Window::startTimer(int periodMs) {
  if (hwnd_) SetTimer(hwnd_, kTimer, static_cast<UINT>(periodMs), nullptr);
}

void Win32Window::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32Window::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(message, wParam, lParam)
              : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::base(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = hwnd_;
  switch (message) {
    case WM_TIMER:
      if (wParam == kTimer) ticker_.run([this] { onTimer(); });
      return 0;
    case WM_ACTIVATE:
      keys_.windowActivation();
      break;
    case WM_ACTIVATEAPP:
      keys_.programActivation(wParam != FALSE);
      break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      keys_.menuOpen(message == WM_ENTERMENULOOP);
      break;
    // Dragged to a monitor of another scale: its k there, and the frame
    // that monitor's DPI gives, where Windows proposes.
    case WM_DPICHANGED: {
      const auto* proposed = reinterpret_cast<const RECT*>(lParam);
      const int k =
          windowScale(hwnd, HIWORD(wParam), MonitorFromRect(proposed, MONITOR_DEFAULTTONEAREST),
                      width_, height_);
      SetWindowPos(hwnd, nullptr, proposed->left, proposed->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (k != k_) {
        k_ = k;
        rescale();
      }
      setClientSize(hwnd, width_ * k_, height_ * k_, HIWORD(wParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case WM_DESTROY:
      KillTimer(hwnd, kTimer);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform
