#pragma once

#include <initializer_list>

#include "design/Design.h"

namespace pcbprep::testing {

// Appends a part row with its reference and class; returns the row.
inline int AddPart(Design& d, const Text& reference, const Text& partClass = u"0") {
  const int row = ++d.PartCount;
  d.PartTable.set(row, kPartRef, reference);
  d.PartTable.set(row, kPartClass, partClass);
  return row;
}

// Appends a net as the netlist reader leaves it: tokens in NetTable, their reference
// and pin number in PinPartTable and PinNoTable.
inline int AddNet(Design& d, const Text& name, std::initializer_list<Text> tokens) {
  const int net = ++d.NetCount;
  for (Grid* table : {&d.NetTable, &d.PinPartTable, &d.PinNoTable}) table->set(net, 0, name);
  d.NetTable.set(net, 1, IntText(static_cast<long long>(tokens.size())));
  int column = 2;
  for (const Text& token : tokens) {
    const auto dash = token.find(u'-');
    d.NetTable.set(net, column, token);
    d.PinPartTable.set(net, column, token.substr(0, dash));
    if (dash != Text::npos) {
      const auto end = token.find(u'-', dash + 1);
      d.PinNoTable.set(net, column, token.substr(dash + 1, end - dash - 1));
    }
    ++column;
  }
  return net;
}

inline int FindPart(const Design& d, const Text& reference) {
  for (int i = 1; i <= d.PartCount; ++i) {
    if (d.PartTable.at(i, kPartRef) == reference) return i;
  }
  return 0;
}

}  // namespace pcbprep::testing
