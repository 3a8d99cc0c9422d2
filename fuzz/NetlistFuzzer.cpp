// Feeds raw bytes to the netlist reader as a file would, then runs every operation of
// the main window on whatever loaded, in the order a designer clicks them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "check/NetCheck.h"
#include "design/Numeric.h"
#include "netlist/BracketNetlist.h"
#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "placement/PlacementImage.h"
#include "symbol/ExchangeSortAsStated.h"
#include "symbol/SymbolAssignment.h"

namespace {

using namespace pcbprep;

// Counts what is drawn and checks that every position is a number.
class CheckingCanvas final : public PlacementCanvas {
 public:
  void line(double x1, double y1, double x2, double y2, CanvasColor) override {
    require(x1 == x1 && y1 == y1 && x2 == x2 && y2 == y2);
  }
  void circle(double x, double y, double radius, CanvasColor) override {
    require(x == x && y == y && radius > 0);
  }
  void text(double x, double y, TextView) override { require(x == x && y == y); }

 private:
  static void require(bool ok) {
    if (!ok) std::abort();
  }
};

void Require(bool ok) {
  if (!ok) std::abort();
}

// The part references in the order of their first pin, and the exchange sort written
// out step by step on whole texts: the sort of the symbol assignment must give the
// same order.
std::vector<Text> ReferencesInSlotOrder(const Design& d) {
  std::vector<Text> refs;
  std::unordered_set<Text> seen;
  for (int n = 1; n <= d.NetCount; ++n) {
    for (const int c : d.pinColumns(n)) {
      const Text& ref = d.PinPartTable.at(n, c);
      if (seen.insert(ref).second) refs.push_back(ref);
    }
  }
  return refs;
}

// The nets with pins, the only ones a bracket file can hold (the bracket reader can
// leave a row without pins from a stray line).
std::vector<int> NetsWithPins(const Design& d) {
  std::vector<int> nets;
  for (int n = 1; n <= d.NetCount; ++n) {
    if (d.pinCount(n) > 0) nets.push_back(n);
  }
  return nets;
}

// The nets of two designs are the same: names, and reference and pin number of each pin;
// with `namesToo` false, only how many nets and pins.
bool SameNets(const Design& a, const Design& b, bool namesToo) {
  const std::vector<int> left = NetsWithPins(a);
  const std::vector<int> right = NetsWithPins(b);
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    const int n = left[i];
    const int m = right[i];
    if (a.pinCount(n) != b.pinCount(m)) return false;
    if (!namesToo) continue;
    if (a.NetTable.at(n, kNetName) != b.NetTable.at(m, kNetName)) return false;
    for (const int c : a.pinColumns(n)) {
      if (a.PinPartTable.at(n, c) != b.PinPartTable.at(m, c) ||
          a.PinNoTable.at(n, c) != b.PinNoTable.at(m, c)) {
        return false;
      }
    }
  }
  return true;
}

// What convert writes of a loaded netlist reads back as the same nets, or is refused;
// with safe names it reads back with as many nets and pins and as many distinct
// references: no two names become one.
void ConvertReadsBack(const Design& d) {
  if (NetsWithPins(d).empty()) return;
  for (const bool safeNames : {false, true}) {
    const BracketNetlist bracket = BracketNetlistText(d, safeNames);
    Require(safeNames ? !bracket.refused : true);
    if (bracket.refused) continue;
    // Refused where the written bytes would read back as another text.
    const std::optional<std::string> bytes = BracketNetlistBytes(bracket.text);
    if (!bytes) continue;
    Design back;
    Require(LoadNetlistBytes(back, *bytes, d.capacity()).ok());
    Require(SameNets(d, back, !safeNames));
    Require(back.pinReferences().size() == d.pinReferences().size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Design d;
  const LoadResult loaded = LoadNetlistBytes(d, bytes);
  Require(d.NetCount >= 0 && d.NetCount <= kMaxNets);
  (void)NetListItems(d);
  (void)NetPinListItems(d);
  (void)LoadFailureMessage(loaded, u"fuzz.NET");
  if (loaded.ok()) ConvertReadsBack(d);

  const NetCheckResult check = RunExtendedNetCheck(d);
  Require(check.openCount >= 0 && check.shortCount >= 0 && check.duplicateCount >= 0 &&
          check.isolatedCount >= 0);

  const std::vector<Text> references = ReferencesInSlotOrder(d);
  const SymbolSizes sizes{u"C1608", u"R1608", u"RA4",   u"L2012",
                          u"TP1",   u"SOT23", u"D3216", u"LED1608"};
  std::vector<Text> combo11;
  ListBoxState list1;
  const SymbolAssignment assigned = RunSymbolAssignment(d, sizes, combo11, list1);
  Require(d.PartCount >= 0 && d.PartCount <= kMaxParts);
  if (assigned.fits) {
    Require(static_cast<int>(list1.items.size()) == d.PartCount);
    // The plain sort is quadratic in texts; large boards are left to the unit tests.
    if (references.size() <= 300) {
      const std::vector<Text> sorted = ExchangeSortAsStated(references);
      Require(static_cast<int>(sorted.size()) == d.PartCount);
      for (int i = 1; i <= d.PartCount; ++i) {
        Require(d.PartTable.at(i, kPartRef) == sorted[static_cast<std::size_t>(i - 1)]);
      }
    }
  }

  // The skip-net boxes as the load leaves them: the largest net in the first one.
  IgnoreNetList ignore;
  ignore[0] = loaded.largestNet;
  AssignMainParts(d, ignore);
  GroupParts(d, kGroupByHundreds, !list1.items.empty(), [] { return true; });
  RefreshPartList(d, list1, -1);

  DetermineCoordinates(d, true, false);
  CheckingCanvas canvas;
  d.BoardSizeX = 100;
  d.BoardSizeY = 80;
  DrawPlacementImage(d, canvas);
  DetermineCoordinates(d, false, true);
  DrawPlacementImage(d, canvas);
  if (d.PartCount > 0) {
    (void)FillEditPanel(d, 1);
    RefreshPartList(d, list1, 1);
  }

  // A second load into the used tables exercises the emptying of earlier nets.
  LoadNetlistBytes(d, bytes);
  RunExtendedNetCheck(d);
  return 0;
}
