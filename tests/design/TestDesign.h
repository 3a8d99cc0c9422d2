#pragma once

#include <vector>

#include "design/Design.h"
#include "design/Text.h"

namespace pcbprep::testing {

// The cells of a new part row besides its reference; cells not given stay empty.
struct PartCells {
  TextView symbol = {};
  TextView partClass = {};
};

// Appends a part row: AddPart(d, u"C1", {.symbol = u"C1608"}) or
// AddPart(d, u"U1", {.partClass = kClassMain}). Returns the row.
inline int AddPart(Design& d, TextView reference, const PartCells& cells = {}) {
  const int row = d.PartCount + 1;
  d.PartTable.set(row, kPartRef, Text(reference));
  d.PartTable.set(row, kPartSymbol, Text(cells.symbol));
  d.PartTable.set(row, kPartClass, Text(cells.partClass));
  d.PartCount = static_cast<std::int16_t>(row);
  return row;
}

// Appends a closed net as the netlist reader leaves it: name, pin count and tokens in
// NetTable, the reference (before the first "-") and the pin number (up to the next
// "-") of each token in PinPartTable and PinNoTable. Returns the net row.
inline int AddNet(Design& d, TextView name, const std::vector<Text>& tokens) {
  const int net = d.NetCount + 1;
  for (Grid* table : {&d.NetTable, &d.PinPartTable, &d.PinNoTable}) {
    table->set(net, kNetName, Text(name));
  }
  d.NetTable.set(net, kNetPinCount, IntText(static_cast<long long>(tokens.size())));
  int column = kFirstPinColumn;
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
  d.NetCount = static_cast<std::int16_t>(net);
  return net;
}

// The row of the first part with the reference, or 0.
inline int FindPart(const Design& d, TextView reference) {
  for (int i = 1; i <= d.partRows(); ++i) {
    if (d.PartTable.at(i, kPartRef) == reference) return i;
  }
  return 0;
}

}  // namespace pcbprep::testing
