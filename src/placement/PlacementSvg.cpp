#include "placement/PlacementSvg.h"

#include <algorithm>
#include <cmath>

#include "design/SvgText.h"

namespace pcbprep {

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

std::string Color(CanvasColor color) {
  if (color.ownColor) return "#000000";  // the picture's drawing colour
  return SvgColor(static_cast<std::uint32_t>(color.red << 16 | color.green << 8 | color.blue));
}

// Strokes far beyond any sheet are left out, as the window leaves them out.
bool OnSheet(double value) { return std::isfinite(value) && std::fabs(value) < 1e7; }

// A rough width for the extent: full-width characters take an em, others about half.
double TextWidth(TextView text, double size) {
  double width = 0;
  for (const char16_t c : text) width += (c >= 0x1100 ? 1.0 : 0.6) * size;
  return width;
}

}  // namespace

void PlacementSvg::include(double left, double top, double right, double bottom) {
  left_ = std::min(left_, left);
  top_ = std::min(top_, top);
  right_ = std::max(right_, right);
  bottom_ = std::max(bottom_, bottom);
}

void PlacementSvg::line(double x1, double y1, double x2, double y2, CanvasColor color) {
  if (!OnSheet(x1) || !OnSheet(y1) || !OnSheet(x2) || !OnSheet(y2)) return;
  include(std::min(x1, x2) - kStroke, std::min(y1, y2) - kStroke, std::max(x1, x2) + kStroke,
          std::max(y1, y2) + kStroke);
  body_ += "<line x1=\"" + SvgNumber(x1) + "\" y1=\"" + SvgNumber(y1) + "\" x2=\"" + SvgNumber(x2) +
           "\" y2=\"" + SvgNumber(y2) + "\" stroke=\"" + Color(color) + "\"/>\n";
}

void PlacementSvg::circle(double x, double y, double radius, CanvasColor color) {
  if (!OnSheet(x) || !OnSheet(y) || !OnSheet(radius)) return;
  const double r = std::fabs(radius) + kStroke;
  include(x - r, y - r, x + r, y + r);
  body_ += "<circle cx=\"" + SvgNumber(x) + "\" cy=\"" + SvgNumber(y) + "\" r=\"" +
           SvgNumber(std::fabs(radius)) + "\" stroke=\"" + Color(color) + "\"/>\n";
}

void PlacementSvg::text(double x, double y, TextView text) {
  if (!OnSheet(x) || !OnSheet(y)) return;
  include(x, y, x + TextWidth(text, kLabelSize), y + kLineHeight * kLabelSize);
  // Labels are filled in the drawing colour, not outlined.
  body_ += "<text x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y + kAscent * kLabelSize) +
           "\" fill=\"" + Color(CanvasColor::Drawing()) + "\" stroke=\"none\">" + XmlEscaped(text) +
           "</text>\n";
}

std::string PlacementSvg::document(TextView legend) const {
  const double width = right_ - left_;
  const double height = bottom_ - top_;
  const auto mm = [](double twips) { return SvgNumber(twips * kMmPerInch / kTwipsPerInch); };

  std::string svg = SvgDocumentStart({.left = SvgNumber(left_),
                                      .top = SvgNumber(top_),
                                      .width = SvgNumber(width),
                                      .height = SvgNumber(height),
                                      .widthMm = mm(width),
                                      .heightMm = mm(height)},
                                     u"配置分類イメージ");
  svg += "<g id=\"image\" fill=\"none\" stroke-width=\"" + SvgNumber(kStroke) +
         "\" font-family=\"IPAGothic, sans-serif\" font-size=\"" + SvgNumber(kLabelSize) + "\">\n";
  svg += body_;
  svg += "</g>\n";

  // The legend box lies over the picture, as in the window.
  svg += "<g id=\"legend\" font-family=\"IPAGothic, sans-serif\" font-size=\"" +
         SvgNumber(kLegendSize) + "\">\n";
  svg += "<rect x=\"" + SvgNumber(kLegendLeft) + "\" y=\"" + SvgNumber(kLegendTop) + "\" width=\"" +
         SvgNumber(kLegendWidth) + "\" height=\"" + SvgNumber(kLegendHeight) +
         "\" fill=\"#ffffff\" stroke=\"#808080\" stroke-width=\"" + SvgNumber(kStroke) + "\"/>\n";
  std::size_t start = 0;
  for (int row = 0; start <= legend.size(); ++row) {
    std::size_t end = legend.find(u"\r\n", start);
    if (end == TextView::npos) end = legend.size();
    const double baseline =
        kLegendTop + kLegendMargin + (kAscent + kLineHeight * row) * kLegendSize;
    svg += "<text x=\"" + SvgNumber(kLegendLeft + kLegendMargin) + "\" y=\"" + SvgNumber(baseline) +
           "\" fill=\"#000000\">" + XmlEscaped(legend.substr(start, end - start)) + "</text>\n";
    start = end + 2;
  }
  svg += "</g>\n</svg>\n";
  return svg;
}

}  // namespace pcbprep
