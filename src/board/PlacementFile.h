#pragma once

#include "board/BoardFormat.h"

namespace pcbprep {

// Placement files for assembly and other layout tools: one line per part with its
// reference, value, package, centre, rotation and side, in millimetres with Y upwards
// from the board's lower left corner, rotation in degrees counter-clockwise (always 0:
// the pre-placement does not turn parts).

// PLACE.csv: "Designator,Value,Package,Mid X,Mid Y,Rotation,Layer", UTF-8, CR LF, after
// a "#" line naming units and origin. Parts without a place are listed with an empty
// Mid X and Mid Y.
BoardOutput WritePlacementCsv(const BoardInput& input, const std::filesystem::path& output);

// PLACE.pos: the text layout of KiCad's footprint position file (columns Ref Val
// Package PosX PosY Rot Side, "## End"). Parts without a place are left out, and the
// header says how many.
BoardOutput WritePlacementPos(const BoardInput& input, const std::filesystem::path& output);

}  // namespace pcbprep
