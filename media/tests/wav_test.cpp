// Sound files made playable: every sample format becomes 8- or 16-bit PCM
// with silence behind it, and what no sound card plays is refused.
#include <gtest/gtest.h>

#include "platform/testing/wav.h"
#include "media/wavfile.h"

namespace {

using namespace std::string_literals;
using platform::testing::little;
using platform::testing::wav;

TEST(Wav, SamplesBecomePlayablePcmWithSilenceBehind) {
  const std::string extensible24 =
      little(8, 2) + little(24, 2) + little(4, 4) + little(1, 2);  // the subformat's first field
  const struct {
    std::string in;
    double seconds;
    std::string want;
  } cases[] = {
      {wav(1, 1, 10, 2, "\1\2\3\4"s), 0.2, wav(1, 1, 10, 2, "\1\2\3\4\0\0\0\0"s)},
      {wav(1, 1, 10, 2, ""), 0.2, wav(1, 1, 10, 2, "\0\0\0\0"s)},
      {wav(1, 8, 192000, 8, "12345678"), 0, wav(1, 8, 192000, 8, "12345678")},
      {wav(1, 1, 10, 2, "\1\2"s, "", std::string(10, '\0')), 0, wav(1, 1, 10, 2, "\1\2"s)},
      // 8-bit silence is the middle value; a frame more keeps the data even.
      {wav(1, 2, 10, 2, "\x10\x20"s), 0.1, wav(1, 2, 10, 2, "\x10\x20\x80\x80"s)},
      {wav(1, 1, 10, 1, "\x10"s), 0, wav(1, 1, 10, 1, "\x10\x80"s)},
      // Wider integers keep their two most significant bytes.
      {wav(1, 1, 10, 3, "\x11\x22\x33"s), 0, wav(1, 1, 10, 2, "\x22\x33"s)},
      {wav(1, 2, 10, 8, "\1\2\3\4\5\6\7\x08"s), 0, wav(1, 2, 10, 4, "\3\4\7\x08"s)},
      {wav(0xFFFE, 1, 10, 3, "\x11\x22\x33"s, "", extensible24), 0, wav(1, 1, 10, 2, "\x22\x33"s)},
      // Floats are clipped to full scale; not-a-number is silence.
      {wav(3, 1, 10, 4, "\0\0\xC0\x3F\0\0\0\xBF\0\0\xC0\x7F"s), 0,
       wav(1, 1, 10, 2, "\xFF\x7F\0\xC0\0\0"s)},
      {wav(3, 1, 10, 8, "\0\0\0\0\0\0\xD0\x3F"s), 0, wav(1, 1, 10, 2, "\0\x20"s)},
      // Other chunks are dropped, an odd one with its padding byte.
      {wav(1, 1, 10, 2, "\1\2"s, "LIST\3\0\0\0abc\0"s), 0, wav(1, 1, 10, 2, "\1\2"s)},
      {wav(1, 1, 10, 2, "\1\2"s).insert(12, "LIST\3\0\0\0abc\0"s), 0, wav(1, 1, 10, 2, "\1\2"s)},
      // A data chunk cut short keeps its whole frames.
      {wav(1, 1, 10, 2, std::string(100, '\1')).substr(0, 49), 0, wav(1, 1, 10, 2, "\1\1\1\1"s)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(media::playableWav(c.in, c.seconds).value_or("refused"), c.want);

  for (const std::string& bad :
       {"RIFF....WAVEdata"s, "RIFX" + wav(1, 1, 10, 2, "\1\2"s).substr(4),
        wav(1, 1, 10, 2, "\1\2"s).replace(8, 4, "WAVX"), wav(1, 1, 10, 2, "").substr(0, 36),
        wav(2, 1, 10, 2, "\1\2"s), wav(1, 0, 10, 2, "\1\2"s), wav(1, 9, 10, 9, "\1\2"s),
        wav(1, 1, 0, 2, "\1\2"s), wav(1, 1, 192001, 2, "\1\2"s), wav(1, 2, 10, 3, "\1\2\3"s),
        wav(1, 1, 10, 5, "\1"s), wav(3, 1, 10, 2, "\1\2"s), wav(1, 1, 10, 0, ""s)})
    EXPECT_FALSE(media::playableWav(bad, 0.5)) << bad.size();
}

}  // namespace
