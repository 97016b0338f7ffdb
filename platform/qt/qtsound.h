// Sound effects through Qt Multimedia's QSoundEffect. Created by each
// program's main() and handed to the rules as a platform::Sound.
#pragma once

#include <QtGlobal>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/posixfiles.h"
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
  // not a regular file holding a playable WAV is skipped and the current
  // sound plays on.
  void play(const std::string& path) override;

  // Silence played after every sound. Qt 6.4's QSoundEffect closes its
  // audio stream as soon as the last sample has left for the server, which
  // drops what the server still holds: 100-180 ms, measured through
  // PulseAudio. With this much silence behind the sound, only silence is lost.
  static constexpr double kTrailingSeconds = 0.5;

  // Effects kept per sound and played in turn. Qt 6.4 garbles an effect
  // started again while it plays (its silent tail, at a strike every
  // 0.3 s), losing ~110 ms of the new sound: with four, an effect starts
  // again at the earliest 1.2 s later, after the longest sound and its tail.
  static constexpr std::size_t kVoices = 4;

 private:
  // Per path, loaded on first use, so a sound repeated every few ticks is
  // read and decoded once and a play creates nothing; loaded again when the
  // file changes. A file that is no playable WAV keeps no voices.
  struct Loaded {
    long long size = -1, modified = 0;
    std::array<std::unique_ptr<QSoundEffect>, kVoices> voices;
    std::size_t next = 0;
  };
  void load(const std::string& path, Loaded& into);

  PosixFiles files_;
  std::unordered_map<std::string, Loaded> sounds_;
  QSoundEffect* current_ = nullptr;  // the voice playing or last played
};

}  // namespace platform
