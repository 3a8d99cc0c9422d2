#pragma once

#include <optional>

#include "board/BoardFormat.h"
#include "board/OutlineLoops.h"

namespace pcbprep {

// IDF 3.0, how layout tools hand a board to mechanical CAD: BOARD.emn (the board
// outline with its thickness, the mounting holes, the placement of every part) and
// BOARD.emp beside it (one outline and height per package and part number). In
// millimetres with pcbprep's own coordinates: Y up, the board's lower left corner at
// 0, 0, so parts to the left of and below the board stay there.
BoardOutput WriteIdfBoard(const BoardInput& input, const std::filesystem::path& output);

// The body of a part from its symbol name, width along X and height along Y: a
// metric size code after the prefix ("C1608" 1.6 × 0.8 mm, "R2012" 2.0 × 1.25 mm) or
// a test point's diameter ("TP10" 1.0 × 1.0 mm); none for any other name.
struct BodySize {
  double width;
  double height;
};
std::optional<BodySize> BodySizeOfSymbol(TextView symbol);

// A rectangle centred on 0, 0, counter-clockwise.
OutlineLoop RectangleLoop(double width, double height);

}  // namespace pcbprep
