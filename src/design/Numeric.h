#pragma once

#include <cstdint>
#include <optional>

#include "design/Text.h"

namespace pcbprep {

// The numeric value of a text: leading blanks are skipped, then a sign, digits, a
// decimal point with fraction and an exponent are read as far as they go. "&H" and
// "&O" introduce hexadecimal and octal numbers. Anything that does not begin with a
// number, the empty text included, is 0, and so is a number beyond the range of a
// double, whatever its base.
double NumericValue(TextView text);

// Rounds to the nearest integer with halves to the even neighbour. Values that do not
// fit a signed 16-bit integer (and NaN) give no result, so callers must decide.
std::optional<std::int16_t> ToInt16(double value);

// Rounds half to even without a range limit (NaN and infinities stay as they are).
double RoundHalfEven(double value);

}  // namespace pcbprep
