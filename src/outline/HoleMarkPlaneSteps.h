#pragma once

#include "outline/DblDocument.h"
#include "outline/OutlineSettings.h"

namespace pcbprep {

// Holes, frames, marks and planes of the drawing file. GenerateDbl calls each only
// when its on/off box is set (and, for the holes, in the four-corner arrangement);
// the steps themselves pick their variant by corner treatment or hole diameter.

// Four corner holes of the selected diameter (nothing for a list position without a
// hole set).
void AppendMountingHoles(DblDocument& doc, const OutlineSettings& s);
// Resist frame 0.5 mm outside the outline, on layers 15 and 16.
void AppendResistFrame(DblDocument& doc, const OutlineSettings& s);
// Corner marks on layer 2.
void AppendCornerMarks(DblDocument& doc, const OutlineSettings& s);
// Metal-mask corner marks on layer 19.
void AppendMetalMaskCornerMarks(DblDocument& doc, const OutlineSettings& s);
// Ground plane (negative) on layer 9.
void AppendGroundPlane(DblDocument& doc, const OutlineSettings& s);
// Outer-layer solid planes on layers 27 and 28.
void AppendOuterLayerPlanes(DblDocument& doc, const OutlineSettings& s);

}  // namespace pcbprep
