#pragma once

#include "outline/DblDocument.h"
#include "outline/OutlineSettings.h"

namespace pcbprep {

// Builds the whole drawing file: header, the records of every enabled step in their
// fixed order, and "$END".
DblDocument GenerateDbl(const OutlineSettings& settings);

// The steps of the outline and its dimensions. Each writes its records
// unconditionally; GenerateDbl decides whether a step runs.

// Board outline on layer 23, by corner treatment (nothing for kNone).
void AppendBoardOutline(DblDocument& doc, const OutlineSettings& s);
// Wiring area on layer 11: around the corner holes for 3.2 and 3.5 mm holes in the
// four-corner arrangement, otherwise a rectangle inset by a margin.
void AppendWiringArea(DblDocument& doc, const OutlineSettings& s);
// Width and height dimensions on layer 25, with the corner size note for rounded
// and chamfered corners.
void AppendOutlineDimensions(DblDocument& doc, const OutlineSettings& s);
// Mounting-hole dimensions on layer 26.
void AppendHoleDimensions(DblDocument& doc, const OutlineSettings& s);
// Four guide lines on layer 49 from the board centre to the middle of each side.
void AppendPlacementGuides(DblDocument& doc, const OutlineSettings& s);

}  // namespace pcbprep
