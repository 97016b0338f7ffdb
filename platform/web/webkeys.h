// Key state in the browser. The page's shell (shell/tarnwick.js) sends
// every keydown and keyup here with the key's DOM code ("ArrowLeft",
// "KeyG"), and tells whether the page has the keyboard and whether a box,
// a file dialog or a menu is open; which presses count is decided here, as
// the desktop's key layers decide it. Created by each program's window and
// handed to the rules as a platform::Keys.
#pragma once

#include <string_view>

#include "platform/keytracker.h"

namespace platform {

class WebKeys final : public Keys {
 public:
  // Window: a press counts only while the page has the keyboard, no box or
  // file dialog is open (the window is active, as the desktop says) and no
  // menu is open; whatever is held or latched is dropped when that changes.
  // Program: while the page has the keyboard, boxes and dialogs included.
  enum class Scope { Window, Program };
  explicit WebKeys(Scope scope);
  ~WebKeys() override;
  WebKeys(const WebKeys&) = delete;
  WebKeys& operator=(const WebKeys&) = delete;

  bool pressed(int vk) override { return tracker_.pressed(vk); }
  void key(int vk, bool press);
  void state(bool focused, bool modal, bool menu);

 private:
  Scope scope_;
  bool active_ = true, menu_ = false;
  KeyTracker tracker_;
};

// A DOM key code to the rules' virtual-key code, or -1 for keys no rule and
// no box asks about. The browser's xlatekey.
int webKey(std::string_view code);

}  // namespace platform
