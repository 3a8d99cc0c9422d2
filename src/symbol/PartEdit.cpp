#include "symbol/PartEdit.h"

#include <algorithm>

#include "symbol/SymbolAssignment.h"

namespace pcbprep {

void RememberSymbolName(PartEditHelpers& helpers, const Text& symbol) {
  std::vector<Text>& history = helpers.symbolHistory;
  history.insert(history.begin(), symbol);
  history.erase(std::remove(history.begin() + 1, history.end(), symbol), history.end());
  if (history.size() > kSymbolHistoryLength) history.resize(kSymbolHistoryLength);
  helpers.symbolHistorySelected = 0;
}

namespace {

// Side and class go into the table as codes; a box with an unknown text is emptied
// and stored as "".
void StoreCodedCells(Design& d, int row, EditPanel& panel) {
  const std::optional<Text> side = CodeOfShown(kSideCodes, panel.side);
  if (!side) panel.side.clear();
  d.PartTable.set(row, kPartSide, side.value_or(Text()));
  const std::optional<Text> cls = CodeOfShown(kClassCodes, panel.partClass);
  if (!cls) panel.partClass.clear();
  d.PartTable.set(row, kPartClass, cls.value_or(Text()));
}

// The list mirrors rows 1 .. PartCount. Should it ever be out of step, it is rebuilt
// rather than let the append mode count the part a second time.
void ShowPartLine(Design& d, ListBoxState& list1, int row, bool added) {
  const int items = static_cast<int>(list1.items.size());
  const bool inStep = added ? items == d.PartCount : row <= items;
  if (inStep) {
    RefreshPartList(d, list1, row);  // appending also raises PartCount
    return;
  }
  if (added) d.PartCount = row;
  RefreshPartList(d, list1, -1);
  list1.selectedIndex = row - 1;
}

void UpdateExisting(Design& d, int k, EditPanel& panel, PartEditHelpers& helpers) {
  d.PartTable.set(k, kPartSymbol, panel.symbol);
  d.PartTable.set(k, kPartX, panel.x);
  d.PartTable.set(k, kPartY, panel.y);
  StoreCodedCells(d, k, panel);

  const Text reference = d.PartTable.at(k, kPartRef);
  std::vector<Text>& chooser = helpers.mainPartChoices;
  const auto listed = std::find(chooser.begin(), chooser.end(), reference);
  if (IsAnchorClass(d.PartTable.at(k, kPartClass))) {
    // An anchor is its own main part, at level 0.
    d.PartTable.set(k, kPartMain, u"*" + reference);
    d.PartTable.set(k, kPartLevel, IntText(kAnchorLevel));
    if (listed == chooser.end()) chooser.push_back(reference);
  } else {
    d.PartTable.set(k, kPartMain, panel.mainPart);
    d.PartTable.set(k, kPartLevel, IntText(kAnchorLevel + 1));
    if (listed != chooser.end()) chooser.erase(listed);
  }
  d.PartTable.set(k, kPartGroup, panel.group);

  if (!d.PartTable.at(k, kPartMain).empty()) helpers.lastMainPart = d.PartTable.at(k, kPartMain);
  if (!d.PartTable.at(k, kPartGroup).empty()) helpers.lastGroup = d.PartTable.at(k, kPartGroup);
}

void FillNew(Design& d, int k, EditPanel& panel) {
  d.PartTable.set(k, kPartRef, panel.reference);
  d.PartTable.set(k, kPartSymbol, panel.symbol);
  d.PartTable.set(k, kPartX, panel.x);
  d.PartTable.set(k, kPartY, panel.y);
  StoreCodedCells(d, k, panel);
  // A new semi part starts without a main part; every other class takes the box.
  d.PartTable.set(k, kPartMain,
                  d.PartTable.at(k, kPartClass) == kClassSemi ? Text() : panel.mainPart);
  d.PartTable.set(k, kPartGroup, panel.group);
}

}  // namespace

PartEditResult ApplyPartEdit(Design& design, EditPanel& panel, PartEditHelpers& helpers,
                             ListBoxState& list1) {
  PartEditResult result;
  int k = 0;
  for (int i = 1; i <= design.partRows(); ++i) {
    if (design.PartTable.at(i, kPartRef) == panel.reference) {
      k = i;
      break;
    }
  }

  if (k > 0) {
    result.outcome = PartEditOutcome::Updated;
    UpdateExisting(design, k, panel, helpers);
    ShowPartLine(design, list1, k, false);
  } else {
    if (design.PartCount >= design.capacity().parts) {
      result.outcome = PartEditOutcome::TableFull;
      result.undefinedCount = CountUndefinedSymbols(design);
      return result;
    }
    result.outcome = PartEditOutcome::Added;
    k = design.PartCount + 1;
    FillNew(design, k, panel);
    ShowPartLine(design, list1, k, true);
  }
  result.row = k;

  const Text symbol = design.PartTable.at(k, kPartSymbol);
  if (!symbol.empty()) {
    helpers.lastSymbol = symbol;
    RememberSymbolName(helpers, symbol);
  }
  result.undefinedCount = CountUndefinedSymbols(design);
  return result;
}

Text PartTableFullMessage(TextView reference, int maxParts) {
  return u"部品リストには " + IntText(maxParts) + u" 個までしか登録できません。\n部品番号「" +
         Text(reference) + u"」は追加されませんでした。";
}

}  // namespace pcbprep
