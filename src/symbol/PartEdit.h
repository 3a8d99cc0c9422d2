#pragma once

#include <optional>
#include <vector>

#include "design/Design.h"
#include "symbol/PartList.h"

namespace pcbprep {

inline constexpr std::size_t kSymbolHistoryLength = 10;

// The previous-input helpers of the edit panel: three button captions and two lists.
// The window shows them as they are.
struct PartEditHelpers {
  Text lastSymbol = u"前の入力";      // cmdPast: last symbol name applied
  Text lastMainPart = u"前入力";      // Command10: last main-part name stored
  Text lastGroup = u"前";             // Command11: last group stored
  std::vector<Text> symbolHistory;    // cmbRireki: symbol names applied, newest first
  int symbolHistorySelected = -1;     // cmbRireki's selection
  std::vector<Text> mainPartChoices;  // Combo11: main and semi parts to choose a main part from
};

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
Text PartTableFullMessage(TextView reference, int maxParts = kMaxParts);

}  // namespace pcbprep
