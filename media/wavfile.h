// WAV files made ready for the sound layer. Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace media {

// The largest sound file the programs read: 12 s of CD-quality stereo, more
// than any effect needs. Its first play takes ~20 ms on Linux (bench_sound),
// under half a tick.
inline constexpr std::size_t kMaxWavBytes = std::size_t{2} << 20;

// The sound in a RIFF/WAVE file as a plain PCM WAV of 8- or 16-bit samples
// (the only ones Qt 6.4's QSoundEffect plays: 24- and 32-bit and float
// samples are turned into 16-bit), with `seconds` (>= 0) of silence after
// its last sample. Only the format and the data are kept; a data chunk cut
// short by the end of the file keeps the whole frames it has. Gives nullopt
// for anything else: not a WAV, no format or data, compressed samples, or
// a rate or frame no sound card plays.
std::optional<std::string> playableWav(std::string_view wav, double seconds);

}  // namespace media
