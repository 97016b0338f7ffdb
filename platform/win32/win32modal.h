// What makes a message box or a file dialog modal to the whole program and
// not only to its owner: while one is open, no other window of the program
// takes input, the editor's modeless "Nuevo Mapa" included. Made on the
// stack around the call that runs the box or dialog (win32messages.cpp,
// win32filedialog.cpp).
#pragma once

#include <windows.h>

#include <vector>

namespace platform {

class ModalScope {
 public:
  // `fallback` owns the box when no window of the program is active (one
  // opened while the player is in another program).
  explicit ModalScope(HWND fallback);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  // The window to own the box: the active one, activated again as the box goes.
  HWND owner() const { return owner_; }

 private:
  HWND owner_ = nullptr;
  std::vector<HWND> disabled_;  // by us, and only these are enabled again
};

}  // namespace platform
