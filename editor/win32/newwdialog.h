// "Nuevo Mapa" on Windows: a modeless dialog where the user picks or types
// the new map's width and height. "Crear" (or Return) hands the texts to
// the rules (Principal::crear_Click), which make the map or say why not.
#pragma once

#include <windows.h>

#include "editor/principal.h"

namespace editor {

class NewwDialog {
 public:
  explicit NewwDialog(Principal& principal);
  ~NewwDialog();

  // Opens the dialog over owner, or brings the open one forward as it is.
  void show(HWND owner);
  // The open dialog, or null: the message loop hands it its keys.
  HWND hwnd() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
  void layOut();
  void crear_Click();

  Principal& principal_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr, bold_ = nullptr;
  HBRUSH white_ = nullptr;
};

}  // namespace editor
