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

  // Opens the dialog over owner at its scale k, or brings the open one
  // forward as it is.
  void show(HWND owner, int k);
  // The owner moved to another scale: the open dialog is laid out anew at it.
  void rescale(int k);
  // The open dialog, or null: the message loop hands it its keys.
  HWND hwnd() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
  void layOut();
  void makeFonts();
  void crear_Click();

  Principal& principal_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr, bold_ = nullptr;
  HBRUSH white_ = nullptr;
  int k_ = 1, fontsK_ = 0;  // the scale shown, and the one the fonts were made at
};

}  // namespace editor
