#include "platform/web/webkeys.h"

#include <emscripten/emscripten.h>

#include <array>
#include <utility>

namespace platform {

namespace {

WebKeys* instance = nullptr;  // the page's way in

}  // namespace

WebKeys::WebKeys(Scope scope) : scope_(scope) { instance = this; }
WebKeys::~WebKeys() { instance = nullptr; }

void WebKeys::key(int vk, bool press) {
  if (!press)
    tracker_.release(vk);  // wherever it happens, the key is up
  else if (active_ && !(menu_ && scope_ == Scope::Window))
    tracker_.press(vk);
}

void WebKeys::state(bool focused, bool modal, bool menu) {
  const bool active = focused && (scope_ == Scope::Program || !modal);
  menu_ = menu;
  if (active == active_) return;
  active_ = active;
  // Releases made elsewhere never reach the page.
  if (scope_ == Scope::Window)
    tracker_.clear();
  else if (!focused)
    tracker_.releaseAll();
}

int webKey(std::string_view code) {
  // Letters and digits by position on the keyboard, whatever the layout
  // prints on them, as Windows' virtual keys are.
  if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z')
    return code[3];
  if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9')
    return code[5];
  static constexpr std::array<std::pair<std::string_view, int>, 12> kNamed = {{
      {"Space", vk::Space},
      {"ArrowLeft", vk::Left},
      {"ArrowUp", vk::Up},
      {"ArrowRight", vk::Right},
      {"ArrowDown", vk::Down},
      {"Enter", 13},
      {"NumpadEnter", 13},
      {"Escape", 27},
      {"Tab", 9},
      {"Backspace", 8},
      {"ShiftLeft", 16},
      {"ShiftRight", 16},
  }};
  for (const auto& [name, key] : kNamed)
    if (code == name) return key;
  return -1;
}

}  // namespace platform

// Called by the page's shell.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tarnwick_key(const char* code, int press) {
  if (platform::instance && code) platform::instance->key(platform::webKey(code), press != 0);
}

EMSCRIPTEN_KEEPALIVE void tarnwick_keys_state(int focused, int modal, int menu) {
  if (platform::instance) platform::instance->state(focused != 0, modal != 0, menu != 0);
}
}
