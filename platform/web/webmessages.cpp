#include "platform/web/webmessages.h"

#include <emscripten/emscripten.h>

#include <chrono>

#include "platform/freshkeys.h"
#include "platform/web/webkeys.h"

namespace platform {

namespace {

// The keys of the box open now; a box opened from inside another one keeps
// its own and gives the outer one back when it closes.
FreshKeys* current = nullptr;

// clang-format off
EM_ASYNC_JS(void, jsMessage, (const char* title, const char* text, int icon), {
  await tarnwick.message(UTF8ToString(title), UTF8ToString(text), icon);
});
// clang-format on

}  // namespace

void WebMessages::show(const std::string& text, Icon icon) {
  FreshKeys keys;
  FreshKeys* outer = current;
  current = &keys;
  jsMessage(title_.c_str(), text.c_str(), static_cast<int>(icon));
  current = outer;
}

}  // namespace platform

// The box asks, for each key event it sees, whether it may act on it: only
// keys pressed after it appeared answer it (freshkeys.h).
extern "C" EMSCRIPTEN_KEEPALIVE int tarnwick_box_key(const char* code, int press, int repeat) {
  if (!platform::current || !code) return 0;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return platform::current->withhold(
             platform::webKey(code), press != 0, repeat != 0,
             std::chrono::duration_cast<std::chrono::milliseconds>(now).count())
             ? 1
             : 0;
}
