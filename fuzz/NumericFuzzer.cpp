// The number reading used for every box and cell: arbitrary UTF-16 text in, and the
// 16-bit conversion and the number renderings on whatever comes out.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "design/Numeric.h"
#include "outline/DblDocument.h"
#include "placement/Coordinates.h"

namespace {

using namespace pcbprep;

void Require(bool ok) {
  if (!ok) std::abort();
}

void CheckInt16(double value) {
  const auto converted = ToInt16(value);
  const double rounded = RoundHalfEven(value);
  if (std::isnan(value) || rounded < -32768.0 || rounded > 32767.0) {
    Require(!converted.has_value());
  } else {
    Require(converted.has_value() && *converted == rounded);
    Require(std::fabs(value - rounded) <= 0.5);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Text text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }

  const double value = NumericValue(text);
  Require(std::isfinite(value));
  // Blanks in front and a character that cannot continue a number behind change
  // nothing.
  Require(NumericValue(u" \t" + text) == value);
  Require(NumericValue(text + u"z") == value);
  CheckInt16(value);
  (void)CoordinateText(value);
  (void)dblNumber(value);
  (void)dblFixed2(value);

  // Any bit pattern as a value, NaN and infinities included.
  if (size >= sizeof(double)) {
    double raw;
    std::memcpy(&raw, data, sizeof raw);
    CheckInt16(raw);
    (void)CoordinateText(raw);
    (void)dblNumber(raw);
    (void)dblFixed2(raw);
  }
  return 0;
}
