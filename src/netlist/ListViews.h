#pragma once

#include <array>
#include <optional>
#include <vector>

#include "design/Design.h"

namespace pcbprep {

// List3: net name left-aligned to 12, pin count right-aligned to 3.
Text NetListLine(const Design& design, int net);
std::vector<Text> NetListItems(const Design& design);

// List2: per net the name alone, then eight spaces and each cell of the pin columns
// and the one after them (the empty cell after the last pin).
std::vector<Text> NetPinListItems(const Design& design);

// A click on List3: the net name goes into the lowest empty skip-net box unless a
// box already holds it. Returns the box written, or -1.
int AddSkipNet(std::array<Text, 10>& boxes, const Text& netName);

// The case-insensitive search of the raw view: from `from` to the end, then once
// more from the start. Returns the start of the match.
std::optional<std::size_t> FindInRawText(TextView text, TextView needle, std::size_t from);

}  // namespace pcbprep
