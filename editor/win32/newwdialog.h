// "Nuevo Mapa" on Windows: a modeless dialog where the user picks or types
// the new map's width and height. "Crear" (or Return) checks them
// (editor/neww.h) and asks the main window for the map.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace editor {

class NewwDialog {
 public:
  // `crear` makes the map; `rechazar` tells the user the size is refused.
  NewwDialog(std::function<void(int16_t, int16_t)> crear, std::function<void()> rechazar);
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

  std::function<void(int16_t, int16_t)> crear_;
  std::function<void()> rechazar_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr, bold_ = nullptr;
  HBRUSH white_ = nullptr;
};

}  // namespace editor
