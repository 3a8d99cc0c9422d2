#include "design/Design.h"

#include <algorithm>
#include <cmath>

#include "design/Numeric.h"

namespace pcbprep {

int Design::pinCount(int net) const {
  const double value = NumericValue(NetTable.at(net, 1));
  if (!(value > 0)) return 0;
  // Columns 2 .. count + 1 must exist; a larger count is read as a full row.
  return static_cast<int>(std::min(std::floor(value), double{kMaxPinsPerNet}));
}

void Design::clearParts() {
  PartTable.clearAll();
  PartCount = 0;
}

Text ReferencePrefix(TextView reference) {
  std::size_t end = 0;
  while (end < reference.size() && !(reference[end] >= u'0' && reference[end] <= u'9')) ++end;
  return Text(reference.substr(0, end));
}

}  // namespace pcbprep
