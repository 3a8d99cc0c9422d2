#pragma once

#include <vector>

#include "design/Design.h"
#include "design/Text.h"

namespace pcbprep::testing {

// Appends a closed net as the reader leaves it: name, pin count, tokens, and the
// reference (text before the first "-") of each token.
inline void AddNet(Design& d, TextView name, const std::vector<TextView>& tokens) {
  const int n = d.NetCount + 1;
  d.NetTable.set(n, 0, Text(name));
  d.PinPartTable.set(n, 0, Text(name));
  d.PinNoTable.set(n, 0, Text(name));
  d.NetTable.set(n, 1, IntText(static_cast<long long>(tokens.size())));
  int c = 2;
  for (TextView token : tokens) {
    d.NetTable.set(n, c, Text(token));
    d.PinPartTable.set(n, c, Text(token.substr(0, token.find(u'-'))));
    ++c;
  }
  d.NetCount = static_cast<std::int16_t>(n);
}

// Appends a part row with the given reference and symbol name.
inline int AddPart(Design& d, TextView reference, TextView symbol = u"") {
  const int k = d.PartCount + 1;
  d.PartTable.set(k, kPartRef, Text(reference));
  d.PartTable.set(k, kPartSymbol, Text(symbol));
  d.PartCount = static_cast<std::int16_t>(k);
  return k;
}

}  // namespace pcbprep::testing
