#include "board/PartPlaces.h"

#include <cmath>
#include <cstdio>

#include "design/Numeric.h"
#include "symbol/PartTableView.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {

std::vector<PartPlace> PartPlaces(const BoardInput& input) {
  const Design& design = *input.design;
  const std::vector<SchematicCells> schematic = SchematicViewCells(design);
  std::vector<PartPlace> places;
  places.reserve(static_cast<std::size_t>(design.partRows()));
  for (int row = 1; row <= design.partRows(); ++row) {
    PartPlace place;
    place.reference = design.PartTable.at(row, kPartRef);
    place.symbol = design.PartTable.at(row, kPartSymbol);
    const Text* value = schematic.empty() ? nullptr : &schematic[row - 1][0];
    place.value = value && !value->empty() ? *value : place.symbol;
    if (place.symbol.find(u':') != Text::npos) place.footprint = place.symbol;
    place.package = FootprintSymbolName(place.symbol);
    const Text& x = design.PartTable.at(row, kPartX);
    const Text& y = design.PartTable.at(row, kPartY);
    if (!x.empty() || !y.empty()) {
      place.at = DblPoint{NumericValue(x), NumericValue(y)};
      // "1e999" reads as infinite; no board file can carry it.
      if (!std::isfinite(place.at->x) || !std::isfinite(place.at->y)) {
        throw BoardError{u"部品の座標が数値として扱えません: " + place.reference};
      }
    }
    place.back = design.PartTable.at(row, kPartSide) == kSideBack;
    places.push_back(std::move(place));
  }
  return places;
}

std::string BoardNumber(double millimetres) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", millimetres);
  std::string number = text;
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  if (number == "-0") number = "0";
  return number;
}

}  // namespace pcbprep
