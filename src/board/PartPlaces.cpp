#include "board/PartPlaces.h"

#include <cmath>

#include <unordered_map>

#include "board/FootprintMap.h"
#include "design/Numeric.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {

std::vector<PartPlace> PartPlaces(const BoardInput& input) {
  const Design& design = *input.design;
  std::unordered_map<Text, const SchematicPart*> schematic;
  for (const SchematicPart& part : design.SchematicParts)
    schematic.try_emplace(part.reference, &part);
  std::vector<PartPlace> places;
  places.reserve(static_cast<std::size_t>(design.partRows()));
  for (int row = 1; row <= design.partRows(); ++row) {
    PartPlace place;
    place.reference = design.PartTable.at(row, kPartRef);
    place.symbol = design.PartTable.at(row, kPartSymbol);
    const auto found = schematic.find(place.reference);
    const SchematicPart* netlist = found == schematic.end() ? nullptr : found->second;
    place.value = netlist && !netlist->value.empty() ? netlist->value : place.symbol;
    place.footprint = FootprintOfPart(input.footprints, place.reference, place.symbol, netlist);
    place.package = FootprintSymbolName(place.footprint);
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

}  // namespace pcbprep
