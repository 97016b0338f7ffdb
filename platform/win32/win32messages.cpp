#include "platform/win32/win32messages.h"

#include "platform/freshkeys.h"
#include "platform/win32/text.h"
#include "platform/win32/win32modal.h"

namespace platform {

namespace {

// The keys of the box open now; a box opened from inside another one keeps
// its own and gives the outer one back when it closes.
FreshKeys* current = nullptr;

LRESULT CALLBACK onlyFreshKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && current) {
    const bool press = !((lParam >> 31) & 1);
    const bool repeat = press && ((lParam >> 30) & 1);
    if (current->withhold(static_cast<int>(wParam), press, repeat,
                          static_cast<std::int64_t>(GetTickCount64())))
      return 1;  // the box never sees it
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void Win32Messages::show(const std::string& text, Icon icon) {
  UINT style = MB_OK | MB_SETFOREGROUND;
  if (icon == Icon::Information) style |= MB_ICONINFORMATION;
  if (icon == Icon::Critical) style |= MB_ICONERROR;
  FreshKeys keys;
  FreshKeys* outer = current;
  current = &keys;
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, onlyFreshKeys, nullptr, GetCurrentThreadId());
  const ModalScope modal(owner_);
  MessageBoxW(modal.owner(), wide(text).c_str(), title_.c_str(), style);
  if (hook) UnhookWindowsHookEx(hook);
  current = outer;
}

}  // namespace platform
