#pragma once

#include <array>

#include "design/Design.h"
#include "symbol/PartList.h"

namespace pcbprep {

// The ten skip-net boxes as they read at the click, empty texts included: a net whose
// name equals any of them (an empty name equals an empty box) is not followed.
using IgnoreNetList = std::array<Text, 10>;

// The boxes as the main window opens: "VCC" in box 4 and "GND" in box 9. Loading a
// netlist then puts its largest net into box 0.
IgnoreNetList InitialSkipNets();

// Attaches every part to the main or semi part that the followed nets reach in the
// fewest steps: column 7 gets the anchor's reference ("*" plus its own for an anchor),
// column 10 the number of steps. Names that are already set are kept; every level is
// recomputed.
void AssignMainParts(Design& design, const IgnoreNetList& ignoreNames);

// The main-part command: the assignment, then the part list rebuilt to show it.
void RunMainPartAssignment(Design& design, const IgnoreNetList& ignoreNames, ListBoxState& list1);

// Number of parts with a main-part name.
int CountPartsWithMainPart(const Design& design);

// Empties the main-part name and the level of every part.
void ClearMainParts(Design& design);

}  // namespace pcbprep
