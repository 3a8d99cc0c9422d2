#pragma once

#include "board/BoardFormat.h"
#include "design/TestDesign.h"

namespace pcbprep::testing {

// Appends a part with its symbol name, place and side.
inline int AddPlacedPart(Design& d, TextView reference, TextView symbol, TextView x, TextView y,
                         TextView side) {
  const int row = AddPart(d, reference, {.symbol = symbol});
  d.PartTable.set(row, kPartX, Text(x));
  d.PartTable.set(row, kPartY, Text(y));
  d.PartTable.set(row, kPartSide, Text(side));
  return row;
}

// What a writer reads of a design, everything else as the command line starts it.
inline BoardInput InputOf(const Design& d) {
  BoardInput input;
  input.design = &d;
  return input;
}

}  // namespace pcbprep::testing
