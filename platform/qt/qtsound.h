// Sound effects through Qt Multimedia's QSoundEffect. Created by each
// program's main() and handed to the rules as a platform::Sound.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/sound.h"

class QSoundEffect;

namespace platform {

class QtSound final : public Sound {
 public:
  // Needs a running QGuiApplication. Also quiets Qt Multimedia's
  // no-audio-device warnings (see quietMultimediaWarnings in qtapp.h).
  QtSound();
  ~QtSound() override;

  // Stops the effect playing and starts the one at path. A path that is
  // not an existing file is skipped and the current sound plays on.
  void play(const std::string& path) override;

 private:
  // One effect per distinct path, loaded on first use and kept, so a
  // sound repeated every few ticks is decoded once.
  std::unordered_map<std::string, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* current_ = nullptr;
};

}  // namespace platform
