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
  Text package;                // the footprint name without its library, else the symbol name
  Text footprint;              // the full LIB:NAME of the footprint; empty when unknown
  std::optional<DblPoint> at;  // none when X and Y are both empty
  bool back = false;           // side 裏(1)
};

// Every part of the part table, in table order. A coordinate too large to be a number
// (infinite) throws BoardError.
std::vector<PartPlace> PartPlaces(const BoardInput& input);

// A coordinate or size in millimetres as board files write it: at most four decimals,
// no trailing zeros, no "-0" ("12.5", "-3", "0.0001").
std::string BoardNumber(double millimetres);

}  // namespace pcbprep
