#pragma once

#include <optional>
#include <string>
#include <vector>

#include "board/BoardFormat.h"
#include "drawing/DblReader.h"

namespace pcbprep {

// A part as the placement and IDF files list it: where it stands, on which side, and
// what it is.
struct PartPlace {
  Text reference;
  Text symbol;                 // the symbol name of the part table
  Text value;                  // the netlist's value, else the symbol name
  Text footprint;              // LIB:NAME, the footprint of the KiCad board (FootprintOfPart)
  Text package;                // the footprint's name without its library
  std::optional<DblPoint> at;  // none when X and Y are both empty
  bool back = false;           // side 裏(1)
};

// Every part of the part table, in table order. A coordinate too large to be a number
// (infinite) throws BoardError.
std::vector<PartPlace> PartPlaces(const BoardInput& input);

}  // namespace pcbprep
