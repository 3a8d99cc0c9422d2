#pragma once

#include <cstdint>
#include <string>

#include "design/Text.h"

namespace pcbprep {

// Pieces shared by the SVG pictures the program writes.

// Text for XML content and attribute values: markup characters escaped, and
// characters XML cannot carry at all replaced by U+FFFD.
std::string XmlEscaped(TextView text);

// A short plain decimal for a coordinate: at most `decimals` decimals, no trailing
// zeros, no "-0", and the decimal point whatever the locale.
std::string SvgNumber(double value, int decimals = 2);

// A colour 0xRRGGBB as "#rrggbb".
std::string SvgColor(std::uint32_t rgb);

// What an SVG picture shows, as the writer formats its numbers: the viewBox in picture
// units and the size on paper in millimetres.
struct SvgSheet {
  std::string left, top, width, height;  // viewBox
  std::string widthMm, heightMm;
};

// The start of an SVG picture: the XML declaration, the svg element, its title and a
// white sheet under the whole viewBox. The picture ends with "</svg>\n".
std::string SvgDocumentStart(const SvgSheet& sheet, TextView title);

}  // namespace pcbprep
