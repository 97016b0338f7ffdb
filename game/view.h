// What the game's rules change on screen, implemented by the game window
// (qt/mainwindow.cpp) and by recording fakes in the tests.
#pragma once

#include <string>

#include "media/bitmap.h"

namespace game {

enum class Etiqueta {
  nombre,    // hero status, bottom panel
  enedata0,  // enemy inspection lines, right panel
  enedata1,
  enedata2,
  enedata3,
  exy,        // hero position, below the field
  labmapa,    // view origin
  nenemigos,  // enemies left
};

class View {
 public:
  virtual ~View() = default;
  // Sets a label's caption; line breaks are "\r\n".
  virtual void setCaption(Etiqueta label, const std::string& text) = 0;
  // The drawing surface holds a new complete picture, which differs from
  // the last one only within `changed` (maybe nothing): show it.
  virtual void present(const media::Rect& changed) = 0;
  // Enables or disables the menu item "Cargar mapa".
  virtual void setMapMenuEnabled(bool enabled) = 0;
  // Ends the program at once, saving nothing.
  virtual void quit() = 0;
};

}  // namespace game
