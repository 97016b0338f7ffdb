// The Windows side of the layout tables (platform/layout.h): fonts,
// colours, labels drawn at the top left of their box, and the menu bar.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "platform/layout.h"
#include "platform/win32/text.h"

namespace platform {

inline COLORREF colorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// A layout box as the device rectangle it covers at scale k.
inline RECT deviceRect(const Box& b, int k) {
  return {b.x * k, b.y * k, (b.x + b.w) * k, (b.y + b.h) * k};
}

// At k times its size (platform/scale.h). The caller deletes it.
HFONT makeFont(const Font& font, int k = 1);

// How far right to draw a text beginning with `first` in `font` so that its
// ink begins kInkLeft layout pixels in at scale k (never left of where it
// would be drawn).
int inkShift(HFONT font, wchar_t first, int k = 1);

// The label's text at the top left of its box, cut to it, on its paper when
// it is opaque, all at scale k. `font` is made from the label's at k.
void drawLabel(HDC dc, const Label& label, HFONT font, const std::wstring& text, int k = 1);

// Item k of menu m gets the command id menuId(m, k).
constexpr int menuId(std::size_t m, std::size_t k) {
  return 1000 + 100 * static_cast<int>(m) + static_cast<int>(k);
}

template <class Rules>
HMENU makeMenuBar(std::span<const Menu<Rules>> menus) {
  const HMENU bar = CreateMenu();
  for (std::size_t m = 0; m < menus.size(); ++m) {
    const HMENU popup = CreatePopupMenu();
    for (std::size_t k = 0; k < menus[m].items.size(); ++k)
      AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(menuId(m, k)),
                  wide(menus[m].items[k].text).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), wide(menus[m].text).c_str());
  }
  return bar;
}

// The item of a command id, or null.
template <class Rules>
const MenuItem<Rules>* menuItem(std::span<const Menu<Rules>> menus, int id) {
  for (std::size_t m = 0; m < menus.size(); ++m)
    for (std::size_t k = 0; k < menus[m].items.size(); ++k)
      if (menuId(m, k) == id) return &menus[m].items[k];
  return nullptr;
}

}  // namespace platform
