#include "design/SvgText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace pcbprep {

namespace {

bool XmlAllowed(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

std::string XmlEscaped(TextView text) {
  Text clean;
  clean.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      clean += c;
      clean += text[++i];
      continue;
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    clean += (surrogate || !XmlAllowed(c)) ? u'\uFFFD' : c;
  }
  std::string out;
  for (const char ch : ToUtf8(clean)) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

std::string SvgNumber(double value, int decimals) {
  if (!std::isfinite(value)) return "0";
  // to_chars keeps the decimal point whatever locale the window toolkit has set.
  // Room for the largest double in plain decimals.
  char buffer[400];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (written.ec != std::errc()) return "0";
  std::string s(buffer, written.ptr);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string SvgColor(std::uint32_t rgb) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
  return buffer;
}

std::string SvgDocumentStart(const SvgSheet& sheet, TextView title) {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + sheet.widthMm +
         "mm\" height=\"" + sheet.heightMm + "mm\" viewBox=\"" + sheet.left + " " + sheet.top +
         " " + sheet.width + " " + sheet.height + "\">\n";
  svg += "<title>" + XmlEscaped(title) + "</title>\n";
  svg += "<rect x=\"" + sheet.left + "\" y=\"" + sheet.top + "\" width=\"" + sheet.width +
         "\" height=\"" + sheet.height + "\" fill=\"#ffffff\"/>\n";
  return svg;
}

}  // namespace pcbprep
