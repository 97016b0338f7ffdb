// The program's window as a page: what the rules' layout table says is
// built here into the page's shell (shell/tarnwick.js), and what the
// rules change is shown there. The programs' windows (game/web,
// editor/web) call these; nothing here knows either program.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "media/bitmap.h"
#include "platform/layout.h"

namespace platform {

// The events the page sends to the program. The shell calls them only one
// at a time and never while one waits on a box or a dialog (decision 8's
// guard, kept by the shell, where the waiting is seen).
class WebProgram {
 public:
  virtual ~WebProgram() = default;
  virtual void tick() = 0;
  virtual void menu(std::size_t m, std::size_t k) = 0;
  virtual void mouseDown(int x, int y) = 0;
  virtual void mouseMove(int, int) {}
  virtual void button(std::size_t) {}
  // "Nuevo Mapa"'s "Crear" with what its boxes hold and the player's
  // decimal separator; true closes the dialog.
  virtual bool crear(const char*, const char*, char) { return false; }
};
// The program the page's events go to, from then on.
void setProgram(WebProgram* program);

namespace web {

// The window: its title, the program's name (its boxes' title), its client
// size and colour, its icon (a picture of the site), the tick period in ms.
void window(const char* title, const char* aplicacion, int w, int h, uint32_t background,
            const char* icon, int tickMs);
template <class Rules>
void menus(std::span<const Menu<Rules>> table);
void menu(const char* name, const char* text);
void menuItem(std::size_t menu, const char* name, const char* text);
void menuEnabled(const char* name, bool enabled);
// A label in the client ("cliente") or in a dialog of the page.
void label(const Label& l, const char* parent = "cliente");
void caption(const char* name, const std::string& text);
// A picture shown at (x, y) of the client: the drawing surface (named so
// for screen readers and tests) or any other.
void picture(const char* name, int x, int y, const media::Bitmap& b);
// Shows the part `changed` of the picture `name` anew from b.
void present(const char* name, const media::Bitmap& b, const media::Rect& changed);
// A picture button: its two faces, what a screen reader says of it.
void button(std::size_t index, const char* name, const char* what, int x, int y,
            const media::Bitmap& up, const media::Bitmap& down);
// "Nuevo Mapa" and its like: a small window of the page, not modal.
struct Dialog {
  const char* name;
  const char* title;
  int w, h;
  uint32_t background;
};
void dialog(const Dialog& d);
// An editable box with a list to choose from, its first item proposed.
void combo(const char* parent, const char* name, const Box& box,
           std::span<const char* const> items);
// A push button; the default one is pressed by Return anywhere in its dialog.
void pushButton(const char* parent, const char* name, const char* text, const Box& box,
                bool isDefault);
// Shows the dialog, or brings it forward as it is; closes it.
void showDialog(const char* name);
void closeDialog(const char* name);
// Everything built: the page shows the window and its first frame.
void ready();
// The program ended: the page says so and offers to start again.
void ended();

// Loads a picture the site ships (pictures/NAME.png), decoded by the browser
// before the program started. Empty if there is none.
media::Bitmap sitePicture(const char* name);

template <class Rules>
void menus(std::span<const Menu<Rules>> table) {
  for (std::size_t m = 0; m < table.size(); ++m) {
    menu(table[m].name, table[m].text);
    for (const auto& item : table[m].items) menuItem(m, item.name, item.text);
  }
}

}  // namespace web
}  // namespace platform
