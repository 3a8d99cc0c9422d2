#pragma once

#include <optional>
#include <vector>

#include "design/Design.h"
#include "netlist/ListViews.h"

namespace pcbprep {

inline constexpr std::size_t kSymbolHistoryLength = 10;

// The previous-input helpers of the edit panel: three button captions and two lists.
// The window shows them as they are.
struct PartEditHelpers {
  Text cmdPast = u"前の入力";   // last symbol name applied
  Text Command10 = u"前入力";   // last main-part name stored
  Text Command11 = u"前";       // last group stored
  std::vector<Text> cmbRireki;  // symbol names applied, newest first
  int cmbRirekiSelected = -1;
  std::vector<Text> Combo11;  // main and semi parts to choose a main-part name from
};

// The next value of the side box on a click: "" and 裏(1) go to 表(0), 表(0) to
// 裏(1); anything else is cleared.
Text CycleSide(TextView shown);

// The next value of the class box on a click: sub, main, semi, sub, ...; "" starts at
// sub; anything else is cleared.
Text CycleClass(TextView shown);

// Stored codes of the shown side and class texts; nullopt for an unknown text.
std::optional<Text> SideCode(TextView shown);
std::optional<Text> ClassCode(TextView shown);

// Puts a symbol name at the top of the history, drops its older copies and keeps the
// ten newest; the top entry becomes the selection.
void RememberSymbolName(PartEditHelpers& helpers, const Text& symbol);

enum class PartEditOutcome {
  Updated,    // the part with the panel's reference was changed
  Added,      // no part had the reference: a new part was appended
  TableFull,  // a new part was needed but the table is full; nothing changed
};

struct PartEditResult {
  PartEditOutcome outcome = PartEditOutcome::Updated;
  int row = 0;             // part row written
  int undefinedCount = 0;  // parts without a symbol name afterwards
};

// Writes the panel into the part with the panel's reference, or appends a new part,
// and refreshes that part's line of the part list. Side and class boxes holding an
// unknown text are emptied in the panel.
PartEditResult ApplyPartEdit(Design& design, EditPanel& panel, PartEditHelpers& helpers,
                             ListBoxState& list1);

// Message for a new part that does not fit the full part table.
Text PartTableFullMessage(TextView reference);

}  // namespace pcbprep
