#pragma once

#include <string_view>
#include <vector>

#include "design/Design.h"
#include "symbol/PartList.h"

namespace pcbprep {

// Current texts of the symbol size boxes, one per part kind.
struct SymbolSizes {
  Text capacitor;      // Combo1
  Text resistor;       // Combo2
  Text resistorArray;  // Combo3
  Text coil;           // Combo4
  Text testPoint;      // Combo7
  Text transistor;     // Combo8
  Text diode;          // Combo5
  Text led;            // Combo6
};

// The sizes the main window's boxes show when it opens; the boxes are editable, so
// any text is a valid size.
SymbolSizes InitialSymbolSizes();

// One size box of the main window. The window builds and reads its boxes through this
// table and the command line makes its options from it, so the two cannot drift apart.
struct SymbolSizeBox {
  std::string_view control;     // the box's name in the window: "Combo1"
  std::string_view name;        // the size's name on the command line: "capacitor"
  std::string_view parts;       // the references it sizes, for help texts: "C"
  TextView caption;             // the caption above the box
  std::vector<TextView> items;  // the sizes its list offers
  Text SymbolSizes::*size;      // the size it holds
};

// The eight size boxes in window order.
const std::vector<SymbolSizeBox>& SymbolSizeBoxes();

// The symbol name a reference gets from its leading letters; empty for connectors,
// variable resistors and every kind without a size box.
Text SymbolNameFor(TextView reference, const SymbolSizes& sizes);

// Orders the references in rows 1 .. PartCount (column 0 only) by an exchange sort
// on text order, corrected towards numeric order where references share their first
// letter: C2 before C10, yet C105 before C19.
void SortPartReferences(Design& design);

// Number of part rows (from the first to PartCount) with an empty symbol name.
int CountUndefinedSymbols(const Design& design);

struct SymbolAssignment {
  bool fits = true;         // false: too many distinct references, nothing was changed
  int referencesFound = 0;  // distinct part references in the netlist
  int undefinedCount = 0;   // parts left without a symbol name
};

// Rebuilds PartTable from the part references of the net tables (one row per distinct
// reference, side "0"), sorts them and assigns the symbol names. A netlist with more
// references than the table holds leaves the table untouched.
// With `footprintsFromNetlist`, a part whose netlist gives a footprint takes that
// footprint's name (without the library nickname) as its symbol name instead.
SymbolAssignment AssignSymbolNames(Design& design, const SymbolSizes& sizes,
                                   bool footprintsFromNetlist = false);

// A footprint without its library nickname: "Lib:Name" -> "Name".
Text FootprintSymbolName(TextView footprint);

// The whole auto-assignment after the confirmation: the part table is rebuilt, the new
// parts are classified and the part list is rebuilt.
SymbolAssignment RunSymbolAssignment(Design& design, const SymbolSizes& sizes,
                                     std::vector<Text>& mainPartChoices, ListBoxState& list1,
                                     bool footprintsFromNetlist = false);

// Whether the large tables would take the parts an assignment in the standard ones
// refused.
bool LargeCapacityWouldTakeParts(const Design& design, const SymbolAssignment& result);

// Message for a netlist whose parts do not fit the part table.
Text TooManyPartsMessage(int referencesFound, int maxParts = kMaxParts);

}  // namespace pcbprep
