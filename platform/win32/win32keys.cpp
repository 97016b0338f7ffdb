#include "platform/win32/win32keys.h"

namespace platform {

namespace {
Win32Keys* instance = nullptr;  // the hook procedure's way back to its object
}  // namespace

Win32Keys::Win32Keys(Scope scope) : scope_(scope) {
  instance = this;
  hook_ = SetWindowsHookExW(WH_KEYBOARD, &Win32Keys::hook, nullptr, GetCurrentThreadId());
}

Win32Keys::~Win32Keys() {
  if (hook_) UnhookWindowsHookEx(hook_);
  instance = nullptr;
}

bool Win32Keys::counts() const {
  const HWND active = GetActiveWindow();
  return scope_ == Scope::Window ? active && active == window_ : active != nullptr;
}

// Sees each key message of this thread as it is taken from the queue,
// whichever of our windows or controls it is for, dialogs' loops included.
LRESULT CALLBACK Win32Keys::hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && instance) {
    const int vk = static_cast<int>(wParam);
    const bool up = (lParam >> 31) & 1;
    const bool repeat = (lParam >> 30) & 1;
    if (up)
      instance->tracker_.release(vk);  // wherever it happens, the key is up
    else if (!repeat && instance->counts() &&
             !(instance->menuOpen_ && instance->scope_ == Scope::Window))
      instance->tracker_.press(vk);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Win32Keys::pressed(int vk) {
  // A release that went to another program, or was kept from us, shows
  // here. Only a key believed held is asked about: under Wine each question
  // is a round trip to its server, which an idle tick should not pay.
  if (tracker_.held(vk) && !(GetAsyncKeyState(vk) & 0x8000)) tracker_.release(vk);
  const bool result = tracker_.pressed(vk);
  return result && counts();
}

void Win32Keys::windowActivation() {
  if (scope_ == Scope::Window) tracker_.clear();
}

void Win32Keys::programActivation(bool active) {
  if (!active) tracker_.releaseAll();
}

}  // namespace platform
