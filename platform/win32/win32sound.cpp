#include "platform/win32/win32sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "media/wavfile.h"

namespace platform {

Win32Sound::~Win32Sound() { PlaySoundW(nullptr, nullptr, 0); }

void Win32Sound::play(const std::string& path) {
  // Read through the file layer, so a FIFO or a device is never opened, and
  // made plain PCM as on Linux, so every file plays the same on both.
  const auto bytes = files_.read(path, media::kMaxWavBytes);
  if (!bytes) return;
  auto wav = media::playableWav(*bytes, 0.0);
  if (!wav) return;
  std::string& kept = sounds_[path];
  if (kept != *wav) {
    // The old bytes may be playing: stop them before they go.
    PlaySoundW(nullptr, nullptr, 0);
    kept = std::move(*wav);
  }
  PlaySoundW(reinterpret_cast<LPCWSTR>(kept.data()), nullptr,
             SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace platform
