// Key state on Windows: presses and releases seen by a keyboard hook on the
// program's thread, each held key confirmed by GetAsyncKeyState when asked.
// Created by each program's window and handed to the rules as a
// platform::Keys; only one may exist at a time.
#pragma once

#include <windows.h>

#include "platform/keytracker.h"

namespace platform {

class Win32Keys final : public Keys {
 public:
  // Window: a key counts only while the window given to attach() is the
  // active one (the game). Program: while any window of the program is (the
  // editor, whose arrows scroll from its new-map dialog too).
  enum class Scope { Window, Program };
  explicit Win32Keys(Scope scope);
  ~Win32Keys() override;
  Win32Keys(const Win32Keys&) = delete;
  Win32Keys& operator=(const Win32Keys&) = delete;

  void attach(HWND window) { window_ = window; }
  bool pressed(int vk) override;

  // The window calls these from WM_ACTIVATE and WM_ACTIVATEAPP: whatever
  // was held or latched is dropped when the window changes activation, and
  // a key released in another program never reaches us.
  void windowActivation();
  void programActivation(bool active);
  // From WM_ENTERMENULOOP and WM_EXITMENULOOP. With Scope::Window, a key
  // pressed while a menu is open walks the menu, not the game; a key
  // already held goes on acting.
  void menuOpen(bool open) { menuOpen_ = open; }

 private:
  static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
  bool counts() const;

  Scope scope_;
  HWND window_ = nullptr;
  HHOOK hook_ = nullptr;
  bool menuOpen_ = false;
  KeyTracker tracker_;
};

}  // namespace platform
