#include "mapformat/numbers.h"

#include <gtest/gtest.h>

using namespace mapformat;

TEST(Numbers, PlainAndSpacedIntegers) {
  EXPECT_EQ(toInt16("0"), 0);
  EXPECT_EQ(toInt16("007"), 7);
  EXPECT_EQ(toInt16("  12 "), 12);
  EXPECT_EQ(toInt16("-5"), -5);
  EXPECT_EQ(toInt16("+5"), 5);
  EXPECT_EQ(toInt16(" -0 "), 0);
}

TEST(Numbers, FractionsRoundHalfToEven) {
  EXPECT_EQ(toInt16("0.5"), 0);
  EXPECT_EQ(toInt16("1.5"), 2);
  EXPECT_EQ(toInt16("2.5"), 2);
  EXPECT_EQ(toInt16("2.51"), 3);
  EXPECT_EQ(toInt16("-2.5"), -2);
  EXPECT_EQ(toInt16("-3.5"), -4);
  EXPECT_EQ(toInt16("1e2"), 100);
  EXPECT_EQ(toInt16(".5"), 0);
  EXPECT_EQ(toInt16("7."), 7);
}

TEST(Numbers, RangeLimitsAreRefusedNotWrapped) {
  EXPECT_EQ(toInt16("32767"), 32767);
  EXPECT_EQ(toInt16("-32768"), -32768);
  EXPECT_EQ(toInt16("32768"), std::nullopt);
  EXPECT_EQ(toInt16("-32769"), std::nullopt);
  EXPECT_EQ(toInt16("32767.5"), std::nullopt);  // rounds to 32768
  EXPECT_EQ(toInt16("-32768.5"), -32768);       // rounds to the even -32768
  EXPECT_EQ(toInt16("99999"), std::nullopt);
  EXPECT_EQ(toInt16("1e400"), std::nullopt);
  EXPECT_EQ(toInt16("1e-400"), 0);
  EXPECT_EQ(toInt32("2147483647"), 2147483647);
  EXPECT_EQ(toInt32("-2147483648"), INT32_MIN);
  EXPECT_EQ(toInt32("2147483648"), std::nullopt);
  EXPECT_EQ(toInt32("4294967296"), std::nullopt);
}

TEST(Numbers, NonNumbersAreRefused) {
  for (const char* text : {"", " ", "a", "1a", "1.2.3", "--1", "+-1", "1e", "e5", ".", "-", "inf",
                           "nan", "0x10", "1,5", "1 2", "\t1", "1/"}) {
    EXPECT_EQ(toInt16(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(toInt32(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(Numbers, HeaderIsRealLessOneThenRounded) {
  EXPECT_EQ(toHighestIndex("20"), 19);
  EXPECT_EQ(toHighestIndex("1"), 0);
  EXPECT_EQ(toHighestIndex("1000"), 999);
  EXPECT_EQ(toHighestIndex("1001"), 1000);
  EXPECT_EQ(toHighestIndex("3.5"), 2);  // 2.5 goes to the even 2
  EXPECT_EQ(toHighestIndex("4.5"), 4);  // 3.5 goes to the even 4
  EXPECT_EQ(toHighestIndex(" 0 "), -1);
  EXPECT_EQ(toHighestIndex("32768"), 32767);
  EXPECT_EQ(toHighestIndex("32769"), std::nullopt);
  EXPECT_EQ(toHighestIndex("x"), std::nullopt);
}

TEST(Numbers, LocaleDecimalSeparatorIsAcceptedBesideThePoint) {
  EXPECT_EQ(parseReal("30,5", ','), 30.5);
  EXPECT_EQ(parseReal("30.5", ','), 30.5);
  EXPECT_EQ(parseReal("30,5"), std::nullopt);
  EXPECT_EQ(parseReal("3,0,5", ','), std::nullopt);
  EXPECT_EQ(parseReal(" 199.5 "), 199.5);
}

TEST(Numbers, AnyLengthConvertsLikeAShortNumber) {
  const std::string zeros(400, '0');
  const struct {
    std::string text;
    std::optional<int32_t> want;
  } cases[] = {
      {zeros + "42", 42},
      {"-" + zeros + "7.5", -8},
      {"2." + std::string(200, '4') + "9", 2},
      {" 3." + zeros + "1 ", 3},
      {"0." + zeros + "1", 0},            // too small for a double: zero
      {"1" + zeros, std::nullopt},        // too large for a double
      {"0." + zeros + "1e2", 0},          // 10^-399: tiny all the same
      {"0." + zeros + "5e401", 5},        // 5 written the long way
      {zeros + "1e99999999999999999999", std::nullopt},
      {"1" + zeros + "." + zeros + "1e-50", std::nullopt},  // 10^350
      {zeros + "1x", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(toInt32(c.text), c.want) << c.text.substr(0, 20);
  // Readers pass pieces of a larger text: nothing past a piece's end counts.
  EXPECT_EQ(toInt32(std::string_view("1e25", 3)), 100);
  EXPECT_EQ(toInt32(std::string_view("2.57", 3)), 2);
}
