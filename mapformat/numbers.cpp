#include "mapformat/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace mapformat {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Cells are written as a few plain digits: read those without going through
// floating point, which keeps a 1000 x 1000 map fast to load.
bool plainDigits(std::string_view s, int32_t& value) {
  if (s.empty() || s.size() > 9) return false;
  int32_t v = 0;
  for (char c : s) {
    if (!isDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

template <typename Int>
std::optional<Int> roundTo(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // nearbyint follows the default rounding mode: to nearest, halves to even.
  const double r = std::nearbyint(value);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    return std::nullopt;
  return static_cast<Int>(r);
}

template <typename Int>
std::optional<Int> toInt(std::string_view text) {
  int32_t plain;
  if (plainDigits(text, plain)) {
    if (plain > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(plain);
  }
  const auto real = parseReal(text);
  if (!real) return std::nullopt;
  return roundTo<Int>(*real);
}

}  // namespace

std::optional<double> parseReal(std::string_view text, char decimalSeparator) {
  std::string_view s = trimSpaces(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Validate the whole grammar here; strtod alone would also take "inf",
  // "nan" and hexadecimal, and stop early on trailing garbage. Any length
  // is fine.
  std::size_t i = 0, digits = 0, point = std::string_view::npos;
  std::size_t firstSignificant = std::string_view::npos;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (isDigit(c)) {
      ++digits;
      if (firstSignificant == std::string_view::npos && c != '0') firstSignificant = i;
    } else if (point == std::string_view::npos && (c == '.' || c == decimalSeparator)) {
      point = i;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  const std::size_t mantissaEnd = i;
  int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      ++i;
    }
    std::size_t expDigits = 0;
    // Far past any double either way, and far from int64_t's limits.
    for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits)
      exponent = std::min<int64_t>(exponent * 10 + (s[i] - '0'), int64_t{1} << 40);
    if (expDigits == 0) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return std::nullopt;
  if (firstSignificant == std::string_view::npos) return negative ? -0.0 : 0.0;

  // strtod reads the decimal point of the C locale, which a toolkit may set
  // to the user's (Qt does): it is given the digits as one integer, with no
  // point, and the exponent moved to match, which every locale reads alike.
  // It rounds correctly, overflows to HUGE_VAL and underflows to zero.
  std::string plain;
  plain.reserve(mantissaEnd - firstSignificant + 24);
  for (std::size_t d = firstSignificant; d < mantissaEnd; ++d)
    if (d != point) plain += s[d];
  if (point != std::string_view::npos) exponent -= static_cast<int64_t>(mantissaEnd - point - 1);
  char buffer[24] = {'e'};
  plain.append(buffer, std::to_chars(buffer + 1, buffer + sizeof buffer, exponent).ptr);
  const double value = std::strtod(plain.c_str(), nullptr);
  return negative ? -value : value;
}

std::optional<int16_t> roundToInt16(double value) { return roundTo<int16_t>(value); }
std::optional<int32_t> roundToInt32(double value) { return roundTo<int32_t>(value); }

std::optional<int16_t> toInt16(std::string_view text) { return toInt<int16_t>(text); }
std::optional<int32_t> toInt32(std::string_view text) { return toInt<int32_t>(text); }

std::optional<int16_t> toHighestIndex(std::string_view text) {
  int32_t plain;
  if (plainDigits(text, plain)) return roundTo<int16_t>(static_cast<double>(plain) - 1.0);
  const auto real = parseReal(text);
  if (!real) return std::nullopt;
  return roundTo<int16_t>(*real - 1.0);
}

void appendText(std::string& out, int32_t value) {
  char buffer[16];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;  // 16 characters always hold a 32-bit number
  out.append(buffer, end);
}

}  // namespace mapformat
