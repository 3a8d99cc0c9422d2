#pragma once

#include <set>
#include <string>
#include <vector>

#include "drawing/DblPicture.h"

namespace pcbprep {

// The drawing of a DBL file as a DXF drawing (AutoCAD 2000, ASCII), for layout and
// mechanical tools that read DXF: millimetres, Y upwards, one DXF layer per DBL layer
// and one for the vias. It is drawn through RenderDbl from the same primitives as the
// SVG and the outline window: straight records as LINE, arcs as ARC (full ones as
// CIRCLE), vias as a CIRCLE of their hole size, planes as a solid HATCH whose boundary
// paths are the outline and the cut-outs, texts as TEXT. Hidden layers are left out.
std::string DblDxfDocument(const DblDrawing& drawing, const std::set<int>& hidden = {});

// The DXF layer of a DBL layer: its number and an ASCII name ("L23_OUTLINE"), "L<n>"
// for a layer the generator does not use, "VIA" for the vias.
std::string DxfLayerName(int layer);

// The standard DXF lineweight (hundredths of a millimetre) nearest to a line width in
// millimetres.
int DxfLineweight(double widthMm);

// The characters of a text as a DXF string in the drawing's code page 932 ($DWGCODEPAGE
// ANSI_932), so that a reader that honours the code page shows them: ASCII as it is,
// other characters as their code page 932 bytes, those the code page lacks (and the
// backslash) as the "\U+XXXX" escape, "%%" into the literal-percent code.
std::string DxfText(TextView characters);

// The layers to hide so that only `kept` are drawn (vias are kViaLayer).
std::set<int> LayersHiddenExcept(const DblDrawing& drawing, const std::vector<int>& kept);

}  // namespace pcbprep
