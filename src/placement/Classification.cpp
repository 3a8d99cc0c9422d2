#include "placement/Classification.h"

namespace pcbprep {

TextView ClassForPrefix(TextView prefix) {
  if (prefix == u"U" || prefix == u"X" || prefix == u"Y" || prefix == u"IC") return kClassMain;
  if (prefix == u"CN" || prefix == u"J" || prefix == u"P") return kClassSemi;
  return kClassSub;
}

bool ClassifyByPrefix(Design& design, std::vector<Text>& mainPartChoices) {
  bool classified = false;
  const int count = design.partRows();
  for (int i = 1; i <= count; ++i) {
    if (!design.PartTable.at(i, kPartClass).empty()) continue;
    classified = true;
    // A copy: writing the class cell may move the row's cells.
    const Text reference = design.PartTable.at(i, kPartRef);
    const TextView code = ClassForPrefix(ReferencePrefix(reference));
    design.PartTable.set(i, kPartClass, Text(code));
    if (code != kClassSub) mainPartChoices.push_back(reference);
  }
  return classified;
}

}  // namespace pcbprep
