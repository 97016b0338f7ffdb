#include "media/wavfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace media {

namespace {

uint64_t little(std::string_view bytes, std::size_t at, std::size_t width) {
  uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

void append(std::string& out, uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// The floating-point number stored in these bits (std::bit_cast is missing
// from some standard libraries the programs are built with).
template <typename Real, typename Bits>
Real fromBits(Bits bits) {
  static_assert(sizeof(Real) == sizeof(Bits));
  Real value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// One sample of `width` bytes as 16-bit: integers keep their two most
// significant bytes (wider samples are left-aligned in their bytes), floats
// are clipped to full scale.
int16_t sample16(std::string_view bytes, std::size_t at, std::size_t width, bool isFloat) {
  if (!isFloat) return static_cast<int16_t>(little(bytes, at + width - 2, 2));
  const uint64_t bits = little(bytes, at, width);
  const double value =
      width == 4 ? fromBits<float>(static_cast<uint32_t>(bits)) : fromBits<double>(bits);
  if (std::isnan(value)) return 0;
  return static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
}

constexpr uint64_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;
// Far beyond any effect, and it keeps the silence added to under a megabyte
// whatever a header says.
constexpr uint64_t kMaxRate = 192000, kMaxChannels = 8;

}  // namespace

std::optional<std::string> playableWav(std::string_view wav, double seconds) {
  if (wav.size() < 12 || wav.substr(0, 4) != "RIFF" || wav.substr(8, 4) != "WAVE")
    return std::nullopt;
  std::string_view format, data;
  bool haveData = false;
  // Chunks follow one another, each padded to an even size; a size that
  // runs past the end (a file cut short, or written while streaming)
  // holds what is there.
  for (std::size_t at = 12; at + 8 <= wav.size() && (format.empty() || !haveData);) {
    const std::string_view id = wav.substr(at, 4);
    const auto size = std::min<uint64_t>(little(wav, at + 4, 4), wav.size() - (at + 8));
    const std::string_view body = wav.substr(at + 8, static_cast<std::size_t>(size));
    if (id == "fmt " && format.empty()) format = body;
    if (id == "data" && !haveData) {
      data = body;
      haveData = true;
    }
    at += 8 + body.size() + body.size() % 2;
  }
  if (format.size() < 16 || !haveData) return std::nullopt;

  uint64_t codec = little(format, 0, 2);
  if (codec == kExtensible && format.size() >= 26) codec = little(format, 24, 2);
  const uint64_t channels = little(format, 2, 2), rate = little(format, 4, 4);
  const uint64_t frame = little(format, 12, 2);
  if (channels == 0 || channels > kMaxChannels || rate == 0 || rate > kMaxRate ||
      frame % channels != 0)
    return std::nullopt;
  const uint64_t width = frame / channels;  // bytes of one sample
  const bool isFloat = codec == kFloat;
  if (isFloat ? width != 4 && width != 8 : codec != kPcm || width == 0 || width > 4)
    return std::nullopt;

  // 8-bit samples stay as they are, unsigned, their silence the middle value.
  const uint64_t outWidth = width == 1 ? 1 : 2;
  const uint64_t samples = data.size() / frame * channels;
  uint64_t silence = static_cast<uint64_t>(seconds * static_cast<double>(rate)) * channels;
  // One frame more when needed keeps the data chunk even, as RIFF wants.
  if ((samples + silence) * outWidth % 2) silence += channels;
  const uint64_t dataBytes = (samples + silence) * outWidth;
  std::string out;
  if (dataBytes > UINT32_MAX - 36 || 44 + dataBytes > out.max_size()) return std::nullopt;
  // Every count below is at most the output's length, which fits in size_t.
  const auto sampleCount = static_cast<std::size_t>(samples);
  const auto sampleWidth = static_cast<std::size_t>(width);
  out.reserve(static_cast<std::size_t>(44 + dataBytes));
  out.append("RIFF");
  append(out, 36 + dataBytes, 4);
  out.append("WAVEfmt ");
  append(out, 16, 4);
  append(out, kPcm, 2);
  append(out, channels, 2);
  append(out, rate, 4);
  append(out, rate * channels * outWidth, 4);
  append(out, channels * outWidth, 2);
  append(out, 8 * outWidth, 2);
  out.append("data");
  append(out, dataBytes, 4);
  if (width == outWidth && !isFloat) {
    out.append(data.substr(0, sampleCount * sampleWidth));
  } else {
    for (std::size_t i = 0; i < sampleCount; ++i)
      append(out, static_cast<uint16_t>(sample16(data, i * sampleWidth, sampleWidth, isFloat)), 2);
  }
  out.append(static_cast<std::size_t>(silence * outWidth), width == 1 ? '\x80' : '\0');
  return out;
}

}  // namespace media
