// Sound effects. Called by the rules when something happens on the field.
#pragma once

#include <string>

namespace platform {

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing the WAV at path and returns at once. A new sound stops
  // the one playing. A missing or unreadable file plays nothing.
  virtual void play(const std::string& path) = 0;
};

}  // namespace platform
