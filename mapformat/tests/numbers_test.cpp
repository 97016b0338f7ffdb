#include "mapformat/numbers.h"

#include <gtest/gtest.h>

using namespace mapformat;

// A table of "text=want;" cases: the text ends at the last "=", "Z" in it
// stands for 400 zeros, and a want of "-" is a refusal.
static std::vector<std::pair<std::string, std::optional<int32_t>>> table(std::string_view all) {
  std::vector<std::pair<std::string, std::optional<int32_t>>> cases;
  for (std::size_t end; (end = all.find(';')) != all.npos; all.remove_prefix(end + 1)) {
    const std::string_view c = all.substr(0, end), want = c.substr(c.rfind('=') + 1);
    std::string text(c.substr(0, c.rfind('=')));
    for (auto z = text.find('Z'); z != text.npos; z = text.find('Z'))
      text.replace(z, 1, std::string(400, '0'));
    cases.push_back(
        {text, want == "-" ? std::nullopt : std::optional(std::stoi(std::string(want)))});
  }
  return cases;
}

// Text to integers: spaces around, a sign, fractions to the nearest even
// integer, an exponent, any length; past the range refused, never wrapped.
// toInt16 is toInt32 limited to 16 bits.
TEST(Numbers, TextToIntegers) {
  for (const auto& [text, want] :
       table("0=0;007=7; 12 =12;19=19;-5=-5;+5=5; -0 =0;0.5=0;1.5=2;2.5=2;2.51=3;-2.5=-2;-3.5=-4;"
             ".5=0;7.=7;1e2=100;1E2=100;1e-400=0;32767=32767;-32768=-32768;"
             "32768=32768;-32769=-32769;32767.5=32768;-32768.5=-32768;1e400=-;"
             "2147483647=2147483647;-2147483648=-2147483648;2147483648=-;4294967296=-;"
             "Z42=42;-Z7.5=-8;2.Z49=2; 3.Z1 =3;0.Z1=0;1Z=-;0.Z1e2=0;0.Z5e401=5;Z1e-350=0;"
             "Z1e99999999999999999999=-;1Z.Z1e-50=-;Z1x=-;0.ZZZZZZ1e1900=0;"
             "=-; =-;a=-;1a=-;1.2.3=-;--1=-;+-1=-;1e=-;e5=-;.=-;-=-;inf=-;nan=-;0x10=-;1,5=-;"
             "1 2=-;\t1=-;1/=-;")) {
    EXPECT_EQ(toInt32(text), want) << text.substr(0, 20);
    const bool fits = want && *want >= INT16_MIN && *want <= INT16_MAX;
    EXPECT_EQ(toInt16(text), fits ? want : std::nullopt) << text.substr(0, 20);
  }
  // Readers pass pieces of a larger text: nothing past a piece's end counts.
  EXPECT_EQ(toInt32(std::string_view("1e25", 3)), 100);
  EXPECT_EQ(toInt32(std::string_view("2.57", 3)), 2);
  EXPECT_EQ(toInt32(std::string_view("-3e5", 2)), -3);
}

TEST(Numbers, HeaderAndSeparator) {
  // A map header is the size as a real number, less one, then rounded.
  for (const auto& [text, want] :
       table("20=19;1=0;1000=999;1001=1000;3.5=2;4.5=4; 0 =-1;32768=32767;32769=-;x=-;"))
    EXPECT_EQ(toHighestIndex(text), want) << text;
  // The new-map dialog takes the locale's separator beside the point.
  EXPECT_EQ(parseReal("30,5", ','), 30.5);
  EXPECT_EQ(parseReal("30,5"), std::nullopt);
}
