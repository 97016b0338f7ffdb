#include "platform/win32/win32app.h"

#include <algorithm>

#include "platform/scale.h"
#include "platform/win32/win32image.h"

namespace platform {

// Crisp, as the Linux windows draw the same faces: no grey edges.
HFONT makeFont(const wchar_t* face, int pixels, bool bold) {
  return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

namespace {

RECT frame(HWND window, int w, int h, UINT dpi) {
  RECT r{0, 0, w, h};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  AdjustWindowRectExForDpi(&r, style, GetMenu(window) != nullptr, exStyle, dpi);
  return r;
}

}  // namespace

UINT dpiOf(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int windowScale(HWND window, UINT dpi, HMONITOR monitor, int w, int h) {
  const RECT outer = frame(window, 0, 0, dpi);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  Extent room{w * 64, h * 64};  // no monitor known: the scale alone decides
  if (GetMonitorInfoW(monitor, &info))
    room = {info.rcWork.right - info.rcWork.left - (outer.right - outer.left),
            info.rcWork.bottom - info.rcWork.top - (outer.bottom - outer.top)};
  return wholeScale(static_cast<double>(dpi) / USER_DEFAULT_SCREEN_DPI, {w, h}, room);
}

void setClientSize(HWND window, int w, int h, UINT dpi) {
  const RECT r = frame(window, w, h, dpi ? dpi : dpiOf(window));
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps takes more room than the estimate: grow by what is missing.
  RECT client{};
  GetClientRect(window, &client);
  if (client.bottom != h || client.right != w) {
    RECT outer{};
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + w - client.right,
                 outer.bottom - outer.top + h - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture) {
  if (picture.empty()) return;
  const BITMAPINFO info = describe(picture);
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height),
                    0, 0, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info,
                    DIB_RGB_COLORS);
}

void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture, const RECT& area) {
  const LONG left = std::max<LONG>(area.left - x, 0), top = std::max<LONG>(area.top - y, 0);
  const LONG right = std::min<LONG>(area.right - x, picture.width);
  const LONG bottom = std::min<LONG>(area.bottom - y, picture.height);
  if (picture.empty() || left >= right || top >= bottom) return;
  // The rows wanted, described as a picture of their own.
  BITMAPINFO info = describe(picture);
  info.bmiHeader.biHeight = -(bottom - top);
  SetDIBitsToDevice(dc, x + left, y + top, static_cast<DWORD>(right - left),
                    static_cast<DWORD>(bottom - top), left, 0, 0, static_cast<UINT>(bottom - top),
                    picture.pixels.data() +
                        static_cast<std::size_t>(top) * static_cast<std::size_t>(picture.width),
                    &info, DIB_RGB_COLORS);
}

void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture, const RECT& area, int k) {
  if (k == 1) return drawBitmap(dc, x, y, picture, area);
  // The picture's pixels the area touches, whole.
  const LONG left = std::max<LONG>(unscaled(area.left - x, k), 0);
  const LONG top = std::max<LONG>(unscaled(area.top - y, k), 0);
  const LONG right = std::min<LONG>(unscaled(area.right - x + k - 1, k), picture.width);
  const LONG bottom = std::min<LONG>(unscaled(area.bottom - y + k - 1, k), picture.height);
  if (picture.empty() || left >= right || top >= bottom) return;
  BITMAPINFO info = describe(picture);
  info.bmiHeader.biHeight = -(bottom - top);
  const int mode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x + left * k, y + top * k, (right - left) * k, (bottom - top) * k, left, 0,
                right - left, bottom - top,
                picture.pixels.data() +
                    static_cast<std::size_t>(top) * static_cast<std::size_t>(picture.width),
                &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, mode);
}

int runMessages(const std::function<HWND()>& modeless) {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const HWND dialog = modeless ? modeless() : nullptr;
    if (dialog && IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace platform
