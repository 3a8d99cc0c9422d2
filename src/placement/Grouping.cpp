#include "placement/Grouping.h"

#include <algorithm>

namespace pcbprep {

namespace {

// The group of a part without one becomes the first digit of its reference number,
// whatever the number's length (R101 and R158 both go to "1").
bool SplitByHundreds(Design& d, int parts) {
  bool found = false;
  for (int i = 1; i <= parts; ++i) {
    if (!d.PartTable.at(i, kPartGroup).empty()) continue;
    const Text reference = d.PartTable.at(i, kPartRef);
    const std::size_t prefix = ReferencePrefix(reference).size();
    found = true;
    if (prefix < reference.size()) d.PartTable.set(i, kPartGroup, Text(1, reference[prefix]));
  }
  return found;
}

}  // namespace

std::vector<Text> GroupingMethodItems() {
  return {u"なし", u"自動", u"主部品 ABC指定", u"100   番代 分離", u"", u"グループ解除"};
}

bool GroupParts(Design& design, int method, bool partListHasEntries,
                const std::function<bool()>& confirmClear) {
  const int parts = design.partRows();
  switch (method) {
    case kGroupByHundreds:
      return SplitByHundreds(design, parts);
    case kGroupClear:
      if (partListHasEntries && !confirmClear()) return false;
      for (int i = 1; i <= parts; ++i) design.PartTable.set(i, kPartGroup, {});
      return true;
    default:
      return false;
  }
}

bool RunGrouping(Design& design, int method, ListBoxState& list1,
                 const std::function<bool()>& confirmClear) {
  if (!GroupParts(design, method, !list1.items.empty(), confirmClear)) return false;
  RefreshPartList(design, list1, -1);
  return true;
}

}  // namespace pcbprep
