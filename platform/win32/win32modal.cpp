#include "platform/win32/win32modal.h"

namespace platform {

// Owned by the active window, the box disables that window itself and
// enables it again before it goes, so that Windows hands activation back to
// it: the keyboard returns to where it was, with no click.
ModalScope::ModalScope(HWND fallback) {
  const HWND active = GetActiveWindow();
  owner_ = active ? active : fallback;
  // The thread's top-level windows: the program's own, as each program
  // runs its windows on one thread. Hidden ones take no input anyway.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM self) -> BOOL {
        auto* scope = reinterpret_cast<ModalScope*>(self);
        if (w != scope->owner_ && IsWindowVisible(w) && IsWindowEnabled(w))
          scope->disabled_.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
  for (HWND w : disabled_) EnableWindow(w, FALSE);
}

ModalScope::~ModalScope() {
  for (HWND w : disabled_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

}  // namespace platform
