// The whole part-list run of one netlist as one process: load, symbol assignment with
// classification, main parts, grouping by hundreds, coordinates by main part, and the
// part list printed. It stands for `pcbprep-cli parts` in the wall-time and memory
// measurement (bench/measure_cli.sh) and does the same work.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchDesigns.h"
#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

int main(int argc, char** argv) {
  using namespace pcbprep;
  // --tenfold: tables ten times the large ones, to measure how the run grows with a
  // board ten times the largest the program takes.
  const std::string tables = argc == 3 ? argv[2] : "";
  if (argc > 3 || (argc == 3 && tables != "--large" && tables != "--tenfold") || argc < 2) {
    std::fprintf(stderr, "usage: %s NETLIST [--large|--tenfold]\n", argv[0]);
    return 2;
  }
  Capacity capacity = CapacityFor(tables == "--large");
  if (tables == "--tenfold") {
    capacity = kLargeCapacity;
    capacity.nets *= 10;
    capacity.pinsPerNet *= 10;
    capacity.lineSlots *= 10;
    capacity.parts *= 10;
  }
  Design d;
  const LoadResult loaded = LoadNetlistFile(d, argv[1], capacity);
  if (!loaded.ok()) {
    std::fprintf(stderr, "%s\n", ToUtf8(LoadFailureMessage(loaded, FromUtf8(argv[1]))).c_str());
    return 2;
  }
  std::vector<Text> combo11;
  ListBoxState list1;
  const SymbolAssignment assigned =
      RunSymbolAssignment(d, bench::DefaultSymbolSizes(), combo11, list1);
  if (!assigned.fits) {
    std::fprintf(stderr, "%s\n",
                 ToUtf8(TooManyPartsMessage(assigned.referencesFound, d.capacity().parts)).c_str());
    return 2;
  }
  AssignMainParts(d, bench::DefaultSkipNets(loaded.largestNet));
  GroupParts(d, kGroupByHundreds, true, [] { return true; });
  const CoordinateResult placed = DetermineCoordinates(d, true, false);
  if (!placed.written) {
    std::fprintf(stderr, "coordinates out of range at %s\n", ToUtf8(placed.part).c_str());
    return 2;
  }
  RefreshPartList(d, list1, -1);
  std::string out;
  for (const Text& line : list1.items) {
    out += ToUtf8(line);
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
