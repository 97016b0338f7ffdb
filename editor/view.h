// What the editor's rules change on screen, implemented by its window.
#pragma once

#include <string>

#include "media/bitmap.h"

namespace editor {

enum class Etiqueta { mousecap, mapcap };

class View {
 public:
  virtual ~View() = default;
  virtual void setCaption(Etiqueta label, const std::string& text) = 0;
  // The map view holds a new complete picture, which differs from the last
  // one only within `changed` (maybe nothing): show it.
  virtual void present(const media::Rect& changed) = 0;
  // Ends the program at once; unsaved edits are lost.
  virtual void quit() = 0;
};

}  // namespace editor
