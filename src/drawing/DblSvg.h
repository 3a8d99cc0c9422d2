#pragma once

#include <set>
#include <string>

#include "drawing/DblPicture.h"

namespace pcbprep {

// The drawing of a DBL file as an SVG document: coordinates in millimetres with Y
// upwards as in the CAD system (one flip of the whole drawing), one group per layer
// (id "layer-N", its name as title) in increasing layer order and the vias last, on a white sheet a
// little larger than the drawing. Hidden layers are left out.
std::string DblSvgDocument(const DblDrawing& drawing, TextView title,
                           const std::set<int>& hidden = {});

}  // namespace pcbprep
