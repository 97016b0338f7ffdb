#include "platform/win32/win32layout.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/scale.h"
#include "platform/win32/win32app.h"

namespace platform {

namespace {

// The first inked column of a character drawn at x = 0: it is drawn black on
// white into a scratch bitmap made once. A face's glyphs keep their bearing,
// so the answers are kept, in a table that never grows.
int inkLeft(HFONT font, wchar_t c) {
  struct Known {
    HFONT font;
    wchar_t c;
    int left;
  };
  static std::array<Known, 64> known{};
  static std::size_t next = 0;
  for (const Known& k : known)
    if (k.font == font && k.c == c) return k.left;

  constexpr int kSide = 64, kAt = 16;  // room on the left for a glyph that reaches back
  static const HDC dc = CreateCompatibleDC(nullptr);
  static uint32_t* bits = nullptr;
  static const HBITMAP scratch = [] {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    const HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    return b;
  }();
  if (!dc || !scratch || !bits) return 0;
  SelectObject(dc, scratch);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT all{0, 0, kSide, kSide};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, kAt, 0, &c, 1);
  GdiFlush();
  SelectObject(dc, old);
  auto inked = [](int x) {
    for (int y = 0; y < kSide; ++y)
      if ((bits[y * kSide + x] & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
  };
  int x = 0;
  while (x < kSide && !inked(x)) ++x;
  const int left = x < kSide ? x - kAt : 0;  // a blank glyph has no ink to place
  known[next++ % known.size()] = {font, c, left};
  return left;
}

}  // namespace

int inkShift(HFONT font, wchar_t first, int k) {
  return first ? platform::inkShift(inkLeft(font, first), k) : 0;
}

// The system's bitmap faces are those made for its DPI, whatever the monitor's.
HFONT makeFont(const Font& font, int k) {
  const Font f = scaled(font, k, GetDpiForSystem() == USER_DEFAULT_SCREEN_DPI);
  return makeFont(wide(f.family).c_str(), f.pixels, f.bold);
}

void drawLabel(HDC dc, const Label& label, HFONT font, const std::wstring& text, int k) {
  RECT box = deviceRect(label.box, k);
  if (label.opaque) {
    SetDCBrushColor(dc, colorRef(label.paper));
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  if (!text.empty()) box.left += inkShift(font, text[0], k);
  const HGDIOBJ old = SelectObject(dc, font);
  const int mode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colorRef(label.ink));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
  SetBkMode(dc, mode);
  SelectObject(dc, old);
}

}  // namespace platform
