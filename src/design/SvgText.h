#pragma once

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

}  // namespace pcbprep
