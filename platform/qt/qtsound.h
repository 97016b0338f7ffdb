// Sound effects through Qt Multimedia's QSoundEffect. Created by each
// program's main() and handed to the rules as a platform::Sound.
#pragma once

#include <QtGlobal>
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

  // The largest sound file read: 12 s of CD-quality stereo, more than any
  // effect needs. Its first play takes ~20 ms (bench_sound), under half a tick.
  static constexpr std::size_t kMaxFileBytes = std::size_t{2} << 20;
  // Silence played after every sound. Qt 6.4's QSoundEffect closes its
  // audio stream as soon as the last sample has left for the server, which
  // drops what the server still holds: 100-180 ms, measured through
  // PulseAudio. With this much silence behind the sound, only silence is lost.
  static constexpr double kTrailingSeconds = 0.5;

 private:
  // One effect per path, loaded on first use and kept but never played, so
  // a sound repeated every few ticks is decoded once; loaded again when the
  // file changes. A file that is no playable WAV keeps a null effect.
  struct Loaded {
    qint64 size = -1, modified = 0;
    std::unique_ptr<QSoundEffect> effect;
  };
  std::unique_ptr<QSoundEffect> load(const std::string& path);

  PosixFiles files_;
  std::unordered_map<std::string, Loaded> sounds_;
  QSoundEffect* current_ = nullptr;  // the one playing or last played
};

}  // namespace platform
