#include "symbol/PartTableView.h"

#include <unordered_map>
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

std::vector<SchematicCells> SchematicViewCells(const Design& design) {
  std::unordered_map<Text, const SchematicPart*> byReference;
  bool any = false;
  for (const SchematicPart& part : design.SchematicParts) {
    byReference.try_emplace(part.reference, &part);
    any = any || !part.value.empty() || !part.footprint.empty();
  }
  std::vector<SchematicCells> cells;
  if (!any) return cells;
  cells.resize(static_cast<std::size_t>(design.partRows()));
  for (int part = 1; part <= design.partRows(); ++part) {
    const auto found = byReference.find(design.PartTable.at(part, kPartRef));
    if (found != byReference.end()) {
      cells[static_cast<std::size_t>(part - 1)] = {found->second->value, found->second->footprint};
    }
  }
  return cells;
}

}  // namespace pcbprep
