#include "platform/web/websound.h"

#include <emscripten/emscripten.h>

#include "media/wavfile.h"

namespace platform {

namespace {

// clang-format off
EM_JS(void, jsLoadSound, (const char* key, const char* data, int size), {
  tarnwick.sound.load(UTF8ToString(key), HEAPU8.slice(data, data + size));
});
EM_JS(void, jsPlaySound, (const char* key), {
  tarnwick.sound.play(UTF8ToString(key));
});
// clang-format on

}  // namespace

void WebSound::play(const std::string& path) {
  auto [at, fresh] = known_.try_emplace(path, false);
  if (fresh) {
    // Read through the file layer, so only a regular file of a sound's size is read.
    const auto bytes = files_.read(path, media::kMaxWavBytes);
    const auto wav = bytes ? media::playableWav(*bytes, 0.0) : std::nullopt;
    at->second = wav.has_value();
    if (wav) jsLoadSound(path.c_str(), wav->data(), static_cast<int>(wav->size()));
  }
  // A file that is no playable WAV plays nothing, and what plays goes on.
  if (at->second) jsPlaySound(path.c_str());
}

}  // namespace platform
