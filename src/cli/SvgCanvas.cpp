#include "cli/SvgCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pcbprep::cli {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kMmPerInch = 25.4;
constexpr double kStroke = 15;        // one pixel at 96 dpi, as the window's pen
constexpr double kLabelSize = 180;    // 9 pt, a usual picture-box text size
constexpr double kLegendSize = 160;   // 8 pt, as the window's legend box
constexpr double kAscent = 0.88;      // of the em: the canvas gives a text's top, SVG its baseline
constexpr double kLineHeight = 1.25;  // of the em, between legend lines

// The legend box as the window places it over the picture.
constexpr double kLegendLeft = 10560;
constexpr double kLegendTop = 240;
constexpr double kLegendWidth = 3855;
constexpr double kLegendHeight = 1335;
constexpr double kLegendMargin = 40;

// Short plain decimals: whole twips stay whole, the rest keeps two decimals.
std::string Number(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string s = buffer;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string Color(CanvasColor color) {
  if (color.ownColor) return "#000000";  // the picture's drawing colour
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color.red, color.green, color.blue);
  return buffer;
}

// Strokes far beyond any sheet are left out, as the window leaves them out.
bool OnSheet(double value) { return std::isfinite(value) && std::fabs(value) < 1e7; }

// A rough width for the extent: full-width characters take an em, others about half.
double TextWidth(TextView text, double size) {
  double width = 0;
  for (const char16_t c : text) width += (c >= 0x1100 ? 1.0 : 0.6) * size;
  return width;
}

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

void SvgCanvas::include(double left, double top, double right, double bottom) {
  left_ = std::min(left_, left);
  top_ = std::min(top_, top);
  right_ = std::max(right_, right);
  bottom_ = std::max(bottom_, bottom);
}

void SvgCanvas::line(double x1, double y1, double x2, double y2, CanvasColor color) {
  if (!OnSheet(x1) || !OnSheet(y1) || !OnSheet(x2) || !OnSheet(y2)) return;
  include(std::min(x1, x2) - kStroke, std::min(y1, y2) - kStroke, std::max(x1, x2) + kStroke,
          std::max(y1, y2) + kStroke);
  body_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
           "\" y2=\"" + Number(y2) + "\" stroke=\"" + Color(color) + "\"/>\n";
}

void SvgCanvas::circle(double x, double y, double radius, CanvasColor color) {
  if (!OnSheet(x) || !OnSheet(y) || !OnSheet(radius)) return;
  const double r = std::fabs(radius) + kStroke;
  include(x - r, y - r, x + r, y + r);
  body_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" +
           Number(std::fabs(radius)) + "\" stroke=\"" + Color(color) + "\"/>\n";
}

void SvgCanvas::text(double x, double y, TextView text) {
  if (!OnSheet(x) || !OnSheet(y)) return;
  include(x, y, x + TextWidth(text, kLabelSize), y + kLineHeight * kLabelSize);
  // Labels are filled in the drawing colour, not outlined.
  body_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y + kAscent * kLabelSize) + "\" fill=\"" +
           Color(CanvasColor::Drawing()) + "\" stroke=\"none\">" + XmlEscaped(text) + "</text>\n";
}

std::string SvgCanvas::document(TextView legend) const {
  const double width = right_ - left_;
  const double height = bottom_ - top_;
  const auto mm = [](double twips) { return Number(twips * kMmPerInch / kTwipsPerInch) + "mm"; };

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + mm(width) +
         "\" height=\"" + mm(height) + "\" viewBox=\"" + Number(left_) + " " + Number(top_) + " " +
         Number(width) + " " + Number(height) + "\">\n";
  svg += "<title>" + XmlEscaped(u"配置分類イメージ") + "</title>\n";
  svg += "<rect x=\"" + Number(left_) + "\" y=\"" + Number(top_) + "\" width=\"" + Number(width) +
         "\" height=\"" + Number(height) + "\" fill=\"#ffffff\"/>\n";
  svg += "<g id=\"image\" fill=\"none\" stroke-width=\"" + Number(kStroke) +
         "\" font-family=\"IPAGothic, sans-serif\" font-size=\"" + Number(kLabelSize) + "\">\n";
  svg += body_;
  svg += "</g>\n";

  // The legend box lies over the picture, as in the window.
  svg += "<g id=\"legend\" font-family=\"IPAGothic, sans-serif\" font-size=\"" +
         Number(kLegendSize) + "\">\n";
  svg += "<rect x=\"" + Number(kLegendLeft) + "\" y=\"" + Number(kLegendTop) + "\" width=\"" +
         Number(kLegendWidth) + "\" height=\"" + Number(kLegendHeight) +
         "\" fill=\"#ffffff\" stroke=\"#808080\" stroke-width=\"" + Number(kStroke) + "\"/>\n";
  std::size_t start = 0;
  for (int row = 0; start <= legend.size(); ++row) {
    std::size_t end = legend.find(u"\r\n", start);
    if (end == TextView::npos) end = legend.size();
    const double baseline =
        kLegendTop + kLegendMargin + (kAscent + kLineHeight * row) * kLegendSize;
    svg += "<text x=\"" + Number(kLegendLeft + kLegendMargin) + "\" y=\"" + Number(baseline) +
           "\" fill=\"#000000\">" + XmlEscaped(legend.substr(start, end - start)) + "</text>\n";
    start = end + 2;
  }
  svg += "</g>\n</svg>\n";
  return svg;
}

}  // namespace pcbprep::cli
