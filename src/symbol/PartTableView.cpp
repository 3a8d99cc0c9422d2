#include "symbol/PartTableView.h"

#include <utility>

namespace pcbprep {

PartViewRow PartViewCells(const Design& design, int part) {
  PartViewRow row;
  for (std::size_t c = 0; c < kPartViewColumns.size(); ++c) {
    const PartColumn column = kPartViewColumns[c].column;
    const Text& cell = design.PartTable.at(part, column);
    std::optional<Text> shown;
    if (column == kPartSide) shown = ShownOfCode(kSideCodes, cell);
    if (column == kPartClass) shown = ShownOfCode(kClassCodes, cell);
    row[c] = shown ? std::move(*shown) : cell;
  }
  return row;
}

std::vector<PartViewRow> PartViewRows(const Design& design) {
  std::vector<PartViewRow> rows;
  rows.reserve(static_cast<std::size_t>(design.partRows()));
  for (int part = 1; part <= design.partRows(); ++part) rows.push_back(PartViewCells(design, part));
  return rows;
}

}  // namespace pcbprep
