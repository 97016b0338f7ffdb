// A window's layout as plain data: where each label, picture and button
// stands, its font, its colours and its first text. Each program keeps one
// table of these (game/layout.h, editor/layout.h) that both front ends
// read, so the Linux and the Windows windows cannot drift apart; a front
// end only knows how to draw a label, a picture or a button.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Colours are 0xRRGGBB.
inline constexpr uint32_t kNegro = 0x000000;
inline constexpr uint32_t kBlanco = 0xFFFFFF;

struct Box {
  int x, y, w, h;
};

// A face and its height in pixels at 96 dots per inch (12 pixels is 9
// points, 11 is 8.25).
struct Font {
  const char* family;
  int pixels;
  bool bold;
};

// A label's text begins at the top left of its box and is cut to it: the
// ink of its first character kInkLeft pixels in, whatever room that glyph
// leaves on its left in the face that draws it (faces differ in that).
inline constexpr int kInkLeft = 1;
// How many device pixels, at scale k, a text is drawn right of its box's
// edge when its first glyph's ink begins `inkLeft` device pixels right of
// where it is drawn (never left of the edge).
constexpr int inkShift(int inkLeft, int k) {
  return kInkLeft * k > inkLeft ? kInkLeft * k - inkLeft : 0;
}
struct Label {
  const char* name;  // for screen readers and tests
  Box box;
  const Font* font;
  uint32_t ink;
  bool opaque;  // painted on `paper`, or transparent over what lies beneath
  uint32_t paper;
  const char* text;  // UTF-8, shown until the rules set another
};

// A menu item runs a handler of the program's rules (or, null, one of the
// window's own, named by `name`).
template <class Rules>
struct MenuItem {
  const char* name;
  const char* text;
  void (Rules::*handler)();
};

template <class Rules>
struct Menu {
  const char* name;
  const char* text;
  std::span<const MenuItem<Rules>> items;
};

// A caption like "Mapa (12,-3)": out becomes prefix, "(", a, ",", b, ")".
// Reuses out's storage, so captions refreshed every tick allocate nothing.
void setPairText(std::string& out, std::string_view prefix, int32_t a, int32_t b);

}  // namespace platform
