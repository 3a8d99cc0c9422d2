#pragma once

#include <vector>

#include "board/BoardFormat.h"
#include "drawing/DblReader.h"
#include "outline/OutlineSettings.h"

namespace pcbprep {

// The board edge and the mounting holes as every board format needs them, in the
// drawing's millimetres with Y upwards.

struct BoardHole {
  DblPoint centre;
  double diameter = 0;
};

struct BoardOutline {
  std::vector<DblLine> lines;  // edge segments
  std::vector<DblArc> arcs;    // edge arcs; a sweep of 360 is a circle
  std::vector<BoardHole> holes;
  bool fromDrawing = false;  // the outline drawing's, not the rectangle of the board size

  bool empty() const { return lines.empty() && arcs.empty(); }
};

// From the outline drawing: the primitives of the outline layers and a hole per circle
// of the mounting-hole layers. Without a drawing: the rectangle BoardSizeX × BoardSizeY
// from the origin (nothing when a size is not positive), without holes.
BoardOutline BoardOutlineOf(const BoardInput& input);

// The drawing the outline generator makes for the settings, as the board writers read it.
DblDrawing OutlineDrawingOf(const OutlineSettings& settings);

}  // namespace pcbprep
