#pragma once

#include <functional>
#include <vector>

#include "design/Design.h"
#include "symbol/PartList.h"

namespace pcbprep {

// Positions of the grouping methods in the method list; the others do nothing.
inline constexpr int kGroupByHundreds = 3;
inline constexpr int kGroupClear = 5;

// The items of the method list (Combo10), in position order.
std::vector<Text> GroupingMethodItems();

// Applies the grouping method at position `method` (-1 when none is selected).
// A clear asks `confirmClear` first, but only when the part list shows entries.
// Returns true when the part list must be rebuilt: after a split that found a part
// without a group, and after a clear that went ahead.
bool GroupParts(Design& design, int method, bool partListHasEntries,
                const std::function<bool()>& confirmClear);

// The grouping command: groups by `method` and rebuilds the part list when the
// grouping asks for it. Returns whether the list was rebuilt.
bool RunGrouping(Design& design, int method, ListBoxState& list1,
                 const std::function<bool()>& confirmClear);

}  // namespace pcbprep
