#pragma once

#include <vector>

#include "design/Design.h"

namespace pcbprep {

// Class code for a reference prefix: main (U, X, Y, IC), semi (CN, J, P), sub for
// everything else. The whole prefix must match, case-sensitive.
TextView ClassForPrefix(TextView prefix);

// Gives every part without a class the class of its reference prefix and appends
// each new main or semi part to the main-part chooser items (no duplicate check).
// Classes already set are kept. Returns true when at least one part was classified.
bool ClassifyByPrefix(Design& design, std::vector<Text>& mainPartChoices);

}  // namespace pcbprep
