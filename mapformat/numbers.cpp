#include "mapformat/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
  // Validate the whole grammar here; from_chars alone would also take
  // "inf", "nan" and stop early on trailing garbage. Any length is fine.
  std::size_t i = 0, digits = 0, point = std::string_view::npos;
  // Decimal position of the first significant digit, relative to the point
  // (1 for "5", 0 for ".5", -2 for ".005"): tells overflow from underflow.
  int64_t magnitude = 0;
  bool significant = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (isDigit(c)) {
      ++digits;
      if (!significant && c != '0') {
        significant = true;
        magnitude = point == std::string_view::npos ? 1 : -static_cast<int64_t>(i - point - 1);
      } else if (significant && point == std::string_view::npos) {
        ++magnitude;
      }
    } else if (point == std::string_view::npos && (c == '.' || c == decimalSeparator)) {
      point = i;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      ++i;
    }
    std::size_t expDigits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits)
      exponent = std::min<int64_t>(exponent * 10 + (s[i] - '0'), int64_t{1} << 40);
    if (expDigits == 0) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return std::nullopt;
  if (!significant) return negative ? -0.0 : 0.0;

  // from_chars knows only ".": a locale's separator is swapped in a copy.
  std::string swapped;
  std::string_view number = s;
  if (point != std::string_view::npos && s[point] != '.') {
    swapped.assign(s);
    swapped[point] = '.';
    number = swapped;
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (end != number.data() + number.size()) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Far beyond any integer, or too close to zero to tell from it.
    value = magnitude + exponent > 0 ? HUGE_VAL : 0.0;
  } else if (ec != std::errc()) {
    return std::nullopt;
  }
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
