// Number conversions shared by both programs and both file formats.
//
// Text read from map and character files is converted the same way
// everywhere: spaces around the number are ignored, a fraction goes to the
// nearest integer with halves to the even neighbour, and anything that is
// not a number, or does not fit the target width, is refused. Nothing wraps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mapformat {

// Reads a real number: optional sign, digits with an optional fraction and
// an optional exponent ("12", "-3.5", ".5", "1e3"), spaces around it ignored.
// `decimalSeparator` is accepted as well as "." (the new-map dialog takes the
// user's locale separator). No infinities, no NaN, no hexadecimal.
std::optional<double> parseReal(std::string_view text, char decimalSeparator = '.');

// Rounds to the nearest integer, halves to even, and refuses values outside
// the target's range.
std::optional<int16_t> roundToInt16(double value);
std::optional<int32_t> roundToInt32(double value);

// Text to a 16- or 32-bit integer, as every reader of the programs does it.
std::optional<int16_t> toInt16(std::string_view text);
std::optional<int32_t> toInt32(std::string_view text);

// A map header number: the size taken as a real number, less 1, as a 16-bit
// index ("20" gives the highest index 19).
std::optional<int16_t> toHighestIndex(std::string_view text);

// Plain decimal, with a leading "-" when negative.
void appendText(std::string& out, int32_t value);

}  // namespace mapformat
