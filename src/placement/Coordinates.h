#pragma once

#include "design/Design.h"
#include "symbol/PartList.h"

namespace pcbprep {

// Coordinates are whole millimetres in 16 bits, like every other number of the
// standard tables; the large tables allow 32 bits (Capacity).
inline constexpr double kMinCoordinate = kStandardCapacity.minCoordinate;
inline constexpr double kMaxCoordinate = kStandardCapacity.maxCoordinate;

struct CoordinateResult {
  // False when a coordinate of the run would leave the capacity's range; then the run
  // writes nothing at all, so a half-placed board is never left behind.
  bool written = true;
  Text part;  // reference of the first part whose coordinate would not fit
};

// Initial X and Y of the parts (columns 2 and 3). By main part: anchors in a row left
// of the board, their sub parts stacked by connection level, long rows folded into
// bands, unplaced parts below the board. By group: one column per group. With neither
// mode chosen nothing is computed.
CoordinateResult DetermineCoordinates(Design& design, bool byMainPart, bool byGroup);

// The coordinate command: the coordinates, then the part list rebuilt in every case.
CoordinateResult RunCoordinateDetermination(Design& design, bool byMainPart, bool byGroup,
                                            ListBoxState& list1);

// Message for a run that left the coordinates unchanged because of `part`.
Text CoordinateRangeMessage(TextView part, const Capacity& capacity = kStandardCapacity);

// Plain decimal text of a coordinate: no decimal point when the value is whole.
Text CoordinateText(double value);

}  // namespace pcbprep
