// Sound effects through the page's Web Audio (shell/tarnwick.js): the WAV
// is read and made plain PCM here, as on the desktop, then decoded once by
// the browser and kept per path. A new sound stops the one playing.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/files.h"
#include "platform/sound.h"

namespace platform {

class WebSound final : public Sound {
 public:
  explicit WebSound(Files& files) : files_(files) {}
  void play(const std::string& path) override;

 private:
  Files& files_;
  // Per path, the bytes handed to the page: a sound repeated every few
  // ticks is read and made playable once.
  std::unordered_map<std::string, bool> known_;
};

}  // namespace platform
