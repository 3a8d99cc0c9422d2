#include "outline/DblDocument.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "design/CodePage.h"
#include "design/FileIO.h"

namespace pcbprep {

namespace {

constexpr char16_t kLineEnd[] = u"\r\n";

// A finite value as decimal digits, after rounding to 15 significant digits: the
// whole part without leading zeros (empty below 1) and the fraction without trailing
// zeros. Rounding first makes 100 - 0.3 read as 99.7 rather than its binary neighbour.
struct Decimal {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

Decimal ToDecimal(double value) {
  Decimal d;
  d.negative = std::signbit(value) && value != 0;
  // to_chars, unlike printf, keeps the decimal point whatever locale the window
  // toolkit has set for the process.
  char buffer[40];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                     std::chars_format::scientific, 14);
  // buffer: d.dddddddddddddde[+-]xx
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  const bool negativeExponent = p[1] == '-';
  int exponent = 0;
  std::from_chars(p + 2, written.ptr, exponent);
  if (negativeExponent) exponent = -exponent;
  if (exponent >= 0) {
    const std::size_t wholeCount = static_cast<std::size_t>(exponent) + 1;
    if (wholeCount >= digits.size()) {
      d.whole = digits + std::string(wholeCount - digits.size(), '0');
    } else {
      d.whole = digits.substr(0, wholeCount);
      d.fraction = digits.substr(wholeCount);
    }
  } else {
    d.fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  while (!d.fraction.empty() && d.fraction.back() == '0') d.fraction.pop_back();
  if (d.whole == "0") d.whole.clear();
  return d;
}

Text NonFinite(double value, bool blankForPositive) {
  if (std::isnan(value)) return blankForPositive ? u" nan" : u"nan";
  if (value < 0) return u"-inf";
  return blankForPositive ? u" inf" : u"inf";
}

Text Ascii(const std::string& s) { return Text(s.begin(), s.end()); }

}  // namespace

DblDocument::DblDocument() : text_(u"$GRAPHIC/") { text_ += kLineEnd; }

void DblDocument::append(TextView record) {
  text_ += record;
  text_ += kLineEnd;
}

void DblDocument::finish() {
  text_ += u"$END";
  text_ += kLineEnd;
}

EncodeResult DblDocument::fileBytes() const {
  EncodeResult encoded = EncodeCp932(text_);
  encoded.bytes += "\r\n";
  return encoded;
}

DblSaveResult DblDocument::save(const std::filesystem::path& path) const {
  DblSaveResult result;
  const EncodeResult encoded = fileBytes();
  if (!encoded.ok()) {
    result.status = DblSaveResult::Status::kUnmappable;
    result.unmappable = encoded.unmappable;
    return result;
  }

  const FileWriteResult written = WriteFileAtomic(path.string(), encoded.bytes);
  if (!written.ok()) {
    result.status = DblSaveResult::Status::kWriteFailed;
    result.reason = written.reason;
  }
  return result;
}

Text dblNumber(double value) {
  if (!std::isfinite(value)) return NonFinite(value, true);
  const Decimal d = ToDecimal(value);
  std::string out(d.negative ? "-" : " ");
  out += d.whole;
  if (!d.fraction.empty()) {
    out += '.';
    out += d.fraction;
  } else if (d.whole.empty()) {
    out += '0';
  }
  return Ascii(out);
}

Text dblFixed2(double value) {
  if (!std::isfinite(value)) return NonFinite(value, false);
  Decimal d = ToDecimal(value);
  // Keep two decimals; a third decimal of 5 or more rounds the magnitude up, so an
  // exact tie goes away from zero.
  std::string digits = d.whole + (d.fraction + "00").substr(0, 2);
  if (d.fraction.size() > 2 && d.fraction[2] >= '5') {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[i - 1];
    }
  }
  std::string whole = digits.substr(0, digits.size() - 2);
  const std::string cents = digits.substr(digits.size() - 2);
  whole.erase(0, whole.find_first_not_of('0'));
  const bool zero = whole.empty() && cents == "00";
  std::string out = (d.negative && !zero) ? "-" : "";
  out += whole + "." + cents;
  return Ascii(out);
}

}  // namespace pcbprep
