#include "platform/web/webpage.h"

#include <emscripten/emscripten.h>

#include <cstdlib>
#include <map>

namespace platform {

namespace {

WebProgram* program = nullptr;

// clang-format off
EM_JS(void, jsWindow, (const char* title, const char* aplicacion, int w, int h, int background,
                       const char* icon, int tickMs), {
  tarnwick.page.window(UTF8ToString(title), UTF8ToString(aplicacion), w, h, background,
                       UTF8ToString(icon), tickMs);
});
EM_JS(void, jsMenu, (const char* name, const char* text), {
  tarnwick.page.menu(UTF8ToString(name), UTF8ToString(text));
});
EM_JS(void, jsMenuItem, (int menu, const char* name, const char* text), {
  tarnwick.page.menuItem(menu, UTF8ToString(name), UTF8ToString(text));
});
EM_JS(void, jsMenuEnabled, (const char* name, int enabled), {
  tarnwick.page.menuEnabled(UTF8ToString(name), enabled !== 0);
});
EM_JS(void, jsLabel, (const char* name, int x, int y, int w, int h, const char* family,
                      int pixels, int bold, int ink, int opaque, int paper, int inkLeft,
                      const char* text, const char* parent), {
  tarnwick.page.label({name: UTF8ToString(name), x: x, y: y, w: w, h: h,
                       family: UTF8ToString(family), pixels: pixels, bold: bold !== 0,
                       ink: ink, opaque: opaque !== 0, paper: paper, inkLeft: inkLeft,
                       text: UTF8ToString(text)}, UTF8ToString(parent));
});
EM_JS(void, jsCaption, (const char* name, const char* text), {
  tarnwick.page.caption(UTF8ToString(name), UTF8ToString(text));
});
EM_JS(void, jsPicture, (const char* name, int x, int y, int w, int h), {
  tarnwick.page.picture(UTF8ToString(name), x, y, w, h);
});
EM_JS(void, jsPut, (const char* name, const void* rgba, int width, int height, int x, int y, int w,
                    int h), {
  tarnwick.page.put(UTF8ToString(name), HEAPU8, rgba, width, height, x, y, w, h);
});
EM_JS(void, jsButton, (int index, const char* name, const char* what, int x, int y, int side,
                       const void* up, const void* down), {
  tarnwick.page.button(index, UTF8ToString(name), UTF8ToString(what), x, y, side,
                       HEAPU8.slice(up, up + 4 * side * side), HEAPU8.slice(down, down + 4 * side * side));
});
EM_JS(void, jsDialog, (const char* name, const char* title, int w, int h, int background), {
  tarnwick.page.dialog(UTF8ToString(name), UTF8ToString(title), w, h, background);
});
EM_JS(void, jsCombo, (const char* parent, const char* name, int x, int y, int w, int h,
                      const char* items), {
  tarnwick.page.combo(UTF8ToString(parent), UTF8ToString(name), x, y, w, h,
                      UTF8ToString(items).split("\n"));
});
EM_JS(void, jsPushButton, (const char* parent, const char* name, const char* text, int x, int y,
                           int w, int h, int isDefault), {
  tarnwick.page.pushButton(UTF8ToString(parent), UTF8ToString(name), UTF8ToString(text), x, y,
                           w, h, isDefault !== 0);
});
EM_JS(void, jsShowDialog, (const char* name), { tarnwick.page.showDialog(UTF8ToString(name)); });
EM_JS(void, jsCloseDialog, (const char* name), { tarnwick.page.closeDialog(UTF8ToString(name)); });
EM_JS(void, jsReady, (), { tarnwick.page.ready(); });
EM_JS(void, jsEnded, (), { tarnwick.page.ended(); });
// clang-format on

int rgb(uint32_t c) { return static_cast<int>(c & 0xFFFFFF); }

// The pictures' pixels as the page's canvas takes them (bytes R, G, B, A),
// one buffer per picture, grown once to its size.
std::map<std::string, std::vector<uint32_t>, std::less<>>& canvases() {
  static std::map<std::string, std::vector<uint32_t>, std::less<>> kept;
  return kept;
}

void toRgba(std::vector<uint32_t>& out, const media::Bitmap& b, const media::Rect& r) {
  out.resize(static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height));
  for (int y = r.y; y < r.y + r.h; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(b.width);
    for (int x = r.x; x < r.x + r.w; ++x) {
      const uint32_t c = b.pixels[row + static_cast<std::size_t>(x)];
      // 0xAARRGGBB to the bytes R, G, B, 255 of a little-endian word.
      out[row + static_cast<std::size_t>(x)] =
          0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  }
}

media::Rect clip(const media::Bitmap& b, const media::Rect& r) {
  const int x = r.x < 0 ? 0 : r.x, y = r.y < 0 ? 0 : r.y;
  const int right = r.x + r.w > b.width ? b.width : r.x + r.w;
  const int bottom = r.y + r.h > b.height ? b.height : r.y + r.h;
  return {x, y, right - x, bottom - y};
}

}  // namespace

void setProgram(WebProgram* p) { program = p; }

namespace web {

void window(const char* title, const char* aplicacion, int w, int h, uint32_t background,
            const char* icon, int tickMs) {
  jsWindow(title, aplicacion, w, h, rgb(background), icon, tickMs);
}
void menu(const char* name, const char* text) { jsMenu(name, text); }
void menuItem(std::size_t menu, const char* name, const char* text) {
  jsMenuItem(static_cast<int>(menu), name, text);
}
void menuEnabled(const char* name, bool enabled) { jsMenuEnabled(name, enabled ? 1 : 0); }

void label(const Label& l, const char* parent) {
  jsLabel(l.name, l.box.x, l.box.y, l.box.w, l.box.h, l.font->family, l.font->pixels,
          l.font->bold ? 1 : 0, rgb(l.ink), l.opaque ? 1 : 0, rgb(l.paper), kInkLeft, l.text,
          parent);
}

void caption(const char* name, const std::string& text) { jsCaption(name, text.c_str()); }

void picture(const char* name, int x, int y, const media::Bitmap& b) {
  jsPicture(name, x, y, b.width, b.height);
  present(name, b, {0, 0, b.width, b.height});
}

void present(const char* name, const media::Bitmap& b, const media::Rect& changed) {
  const media::Rect r = clip(b, changed);
  if (r.empty()) return;
  auto at = canvases().find(name);
  if (at == canvases().end()) at = canvases().emplace(name, std::vector<uint32_t>()).first;
  toRgba(at->second, b, r);
  jsPut(name, at->second.data(), b.width, b.height, r.x, r.y, r.w, r.h);
}

void button(std::size_t index, const char* name, const char* what, int x, int y,
            const media::Bitmap& up, const media::Bitmap& down) {
  std::vector<uint32_t> a, b;
  toRgba(a, up, {0, 0, up.width, up.height});
  toRgba(b, down, {0, 0, down.width, down.height});
  jsButton(static_cast<int>(index), name, what, x, y, up.width, a.data(), b.data());
}

void dialog(const Dialog& d) { jsDialog(d.name, d.title, d.w, d.h, rgb(d.background)); }
void combo(const char* parent, const char* name, const Box& box,
           std::span<const char* const> items) {
  std::string joined;
  for (const char* item : items) joined.append(joined.empty() ? "" : "\n").append(item);
  jsCombo(parent, name, box.x, box.y, box.w, box.h, joined.c_str());
}
void pushButton(const char* parent, const char* name, const char* text, const Box& box,
                bool isDefault) {
  jsPushButton(parent, name, text, box.x, box.y, box.w, box.h, isDefault ? 1 : 0);
}
void showDialog(const char* name) { jsShowDialog(name); }
void closeDialog(const char* name) { jsCloseDialog(name); }
void ready() { jsReady(); }
void ended() { jsEnded(); }

media::Bitmap sitePicture(const char* name) {
  const std::string path = std::string("/juego/share/tarnwick/pictures/") + name + ".png";
  int w = 0, h = 0;
  char* rgba = emscripten_get_preloaded_image_data(path.c_str(), &w, &h);
  if (!rgba || w <= 0 || h <= 0) {
    std::free(rgba);
    return {};
  }
  media::Bitmap b(w, h);
  const auto* bytes = reinterpret_cast<const unsigned char*>(rgba);
  for (std::size_t i = 0; i < b.pixels.size(); ++i)
    b.pixels[i] = 0xFF000000u | (uint32_t{bytes[4 * i]} << 16) | (uint32_t{bytes[4 * i + 1]} << 8) |
                  bytes[4 * i + 2];
  std::free(rgba);
  return b;
}

}  // namespace web
}  // namespace platform

// The page's events, sent by the shell.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tarnwick_tick() {
  if (platform::program) platform::program->tick();
}
EMSCRIPTEN_KEEPALIVE void tarnwick_menu(int m, int k) {
  if (platform::program && m >= 0 && k >= 0)
    platform::program->menu(static_cast<std::size_t>(m), static_cast<std::size_t>(k));
}
EMSCRIPTEN_KEEPALIVE void tarnwick_mouse_down(int x, int y) {
  if (platform::program) platform::program->mouseDown(x, y);
}
EMSCRIPTEN_KEEPALIVE void tarnwick_mouse_move(int x, int y) {
  if (platform::program) platform::program->mouseMove(x, y);
}
EMSCRIPTEN_KEEPALIVE void tarnwick_button(int i) {
  if (platform::program && i >= 0) platform::program->button(static_cast<std::size_t>(i));
}
EMSCRIPTEN_KEEPALIVE int tarnwick_crear(const char* ancho, const char* alto, int separador) {
  return platform::program && ancho && alto &&
                 platform::program->crear(ancho, alto, static_cast<char>(separador))
             ? 1
             : 0;
}
}
