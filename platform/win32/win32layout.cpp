#include "platform/win32/win32layout.h"

#include "platform/win32/win32app.h"

namespace platform {

HFONT makeFont(const Font& font) { return makeFont(wide(font.family).c_str(), font.pixels, font.bold); }

void drawLabel(HDC dc, const Label& label, HFONT font, const std::wstring& text) {
  RECT box{label.box.x, label.box.y, label.box.x + label.box.w, label.box.y + label.box.h};
  if (label.opaque) {
    SetDCBrushColor(dc, colorRef(label.paper));
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  const HGDIOBJ old = SelectObject(dc, font);
  const int mode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colorRef(label.ink));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
  SetBkMode(dc, mode);
  SelectObject(dc, old);
}

}  // namespace platform
