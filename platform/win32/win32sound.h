// Sound effects through PlaySoundW. Created by each program's window and
// handed to the rules as a platform::Sound.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/sound.h"
#include "platform/win32/win32files.h"

namespace platform {

class Win32Sound final : public Sound {
 public:
  ~Win32Sound() override;

  // Stops the sound playing and starts the one at path, and returns at
  // once. A path that is not a regular file holding a playable WAV is
  // skipped and the current sound plays on.
  void play(const std::string& path) override;

 private:
  Win32Files files_;
  // The WAVs as played, by path. PlaySoundW plays from this memory, so a
  // sound's bytes are kept while they may be playing.
  std::unordered_map<std::string, std::string> sounds_;
};

}  // namespace platform
