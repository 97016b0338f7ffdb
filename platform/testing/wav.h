// WAV files made in memory, for the sound layer's tests and benchmarks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>

namespace platform::testing {

// `bytes` bytes of v, least significant first, as RIFF files hold numbers.
inline std::string little(uint64_t v, int bytes) {
  std::string s;
  for (; bytes-- > 0; v >>= 8) s += static_cast<char>(v & 0xFF);
  return s;
}

// A RIFF/WAVE file: the format chunk (codec, channels, rate, bytes per
// frame, and `extra` after its 16 bytes), the chunks given, then the data.
inline std::string wav(int codec, int channels, int rate, int frame, const std::string& data,
                       const std::string& chunks = "", const std::string& extra = "") {
  const std::string fmt = little(codec, 2) + little(channels, 2) + little(rate, 4) +
                          little(rate * frame, 4) + little(frame, 2) +
                          little(8 * frame / std::max(channels, 1), 2) + extra;
  const std::string body =
      "WAVEfmt " + little(fmt.size(), 4) + fmt + chunks + "data" + little(data.size(), 4) + data;
  return "RIFF" + little(body.size(), 4) + body;
}

// A 16-bit mono PCM tone at 22050 Hz, 50 ms unless told, written to path.
// Returns whether the file was written.
inline bool writeTone(const std::string& path, double hz, double seconds = 0.05) {
  std::string samples;
  for (int i = 0; i < static_cast<int>(22050 * seconds); ++i)
    samples += little(
        static_cast<uint16_t>(std::lround(8000 * std::sin(2 * std::numbers::pi * hz * i / 22050))),
        2);
  std::ofstream file(path, std::ios::binary);
  return static_cast<bool>(file << wav(1, 1, 22050, 2, samples));
}

}  // namespace platform::testing
