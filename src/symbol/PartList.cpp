#include "symbol/PartList.h"

#include <algorithm>

namespace pcbprep {

Text PartListLine(const Design& d, int part) {
  auto field = [&](int column, std::size_t width) {
    Text value = d.PartTable.at(part, column);
    value.push_back(u' ');
    return PadRight(value, width);
  };
  Text line;
  line.reserve(50);
  line += field(kPartRef, 7);
  line += field(kPartSymbol, 13);
  line += field(kPartX, 5);
  line += field(kPartY, 5);
  line += field(kPartSide, 2);
  line += u"  ";
  line += field(kPartClass, 2);
  line += field(kPartMain, 7);
  line += field(kPartLevel, 3);
  line += u" ";
  line += field(kPartGroup, 3);
  return line;
}

void RefreshPartList(Design& d, ListBoxState& list1, int p) {
  const int items = static_cast<int>(list1.items.size());
  if (p < 0) {
    list1.items.clear();
    list1.items.reserve(static_cast<std::size_t>(d.partRows()));
    for (int i = 1; i <= d.partRows(); ++i) list1.items.push_back(PartListLine(d, i));
    list1.selectedIndex = -1;
    return;
  }
  if (p > items) {
    list1.items.push_back(PartListLine(d, p));
    list1.selectedIndex = std::min<int>(d.PartCount, static_cast<int>(list1.items.size()) - 1);
    d.PartCount = d.PartCount + 1;
    return;
  }
  if (p >= 1) {
    list1.items[static_cast<std::size_t>(p - 1)] = PartListLine(d, p);
    list1.selectedIndex = p - 1;
  }
}

namespace {

// The shown text of a coded cell; a cell holding no known code is emptied.
Text ShowCodedCell(Design& d, int row, int column, CodeTable codes) {
  if (auto shown = ShownOfCode(codes, d.PartTable.at(row, column))) return *shown;
  d.PartTable.set(row, column, Text());
  return {};
}

}  // namespace

EditPanel FillEditPanel(Design& d, int row) {
  EditPanel panel;
  panel.reference = d.PartTable.at(row, kPartRef);
  panel.symbol = d.PartTable.at(row, kPartSymbol);
  panel.x = d.PartTable.at(row, kPartX);
  panel.y = d.PartTable.at(row, kPartY);
  panel.side = ShowCodedCell(d, row, kPartSide, kSideCodes);
  panel.partClass = ShowCodedCell(d, row, kPartClass, kClassCodes);
  panel.mainPart = d.PartTable.at(row, kPartMain);
  panel.group = d.PartTable.at(row, kPartGroup);
  return panel;
}

}  // namespace pcbprep
