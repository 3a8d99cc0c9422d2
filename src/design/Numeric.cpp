#include "design/Numeric.h"

#include <charconv>
#include <cmath>
#include <string>

namespace pcbprep {

namespace {

double RadixValue(TextView text, std::size_t pos, int radix) {
  double value = 0;
  for (; pos < text.size(); ++pos) {
    const char16_t c = text[pos];
    int digit = -1;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    if (digit < 0 || digit >= radix) break;
    value = value * radix + digit;
  }
  // Too many digits for a double: 0, as for a decimal number out of range.
  return std::isfinite(value) ? value : 0;
}

}  // namespace

double NumericValue(TextView text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos + 1 < text.size() && text[pos] == u'&') {
    const char16_t kind = text[pos + 1];
    if (kind == u'H' || kind == u'h') return RadixValue(text, pos + 2, 16);
    if (kind == u'O' || kind == u'o') return RadixValue(text, pos + 2, 8);
    return 0;
  }

  // Collect the longest prefix that forms a number and convert it in one go, so
  // the decimal conversion is correctly rounded.
  std::string number;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    number.push_back(static_cast<char>(text[pos]));
    ++pos;
  }
  std::size_t digits = 0;
  while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
    number.push_back(static_cast<char>(text[pos++]));
    ++digits;
  }
  if (pos < text.size() && text[pos] == u'.') {
    number.push_back('.');
    ++pos;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
      number.push_back(static_cast<char>(text[pos++]));
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
    std::size_t p = pos + 1;
    std::string exponent = "e";
    if (p < text.size() && (text[p] == u'+' || text[p] == u'-')) {
      exponent.push_back(static_cast<char>(text[p]));
      ++p;
    }
    std::size_t expDigits = 0;
    while (p < text.size() && text[p] >= u'0' && text[p] <= u'9') {
      exponent.push_back(static_cast<char>(text[p++]));
      ++expDigits;
    }
    if (expDigits > 0) number += exponent;
  }
  // from_chars is independent of the process locale, which the GUI toolkit sets.
  double value = 0;
  const char* first = number.data();
  if (*first == '+') ++first;
  const auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec != std::errc()) return 0;
  return std::isfinite(value) ? value : 0;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<std::int16_t> ToInt16(double value) {
  if (std::isnan(value)) return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace pcbprep
