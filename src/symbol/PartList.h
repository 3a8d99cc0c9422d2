#pragma once

#include <vector>

#include "design/Design.h"

namespace pcbprep {

// The items and the selection of a list box, kept in core so that the list
// operations run and are tested without a window. The window mirrors it.
struct ListBoxState {
  std::vector<Text> items;
  int selectedIndex = -1;
};

// List1: one line per part; each value gets one space appended and is left-aligned
// to its field width.
Text PartListLine(const Design& design, int part);

// Rebuilds (p < 0), appends (p beyond the items: raises PartCount) or replaces and
// selects (1 <= p <= items) the line of part p in List1.
void RefreshPartList(Design& design, ListBoxState& list1, int p);

// The part edit panel's eight boxes, as texts.
struct EditPanel {
  Text reference;  // Text11
  Text symbol;     // SYNNAME: symbol name
  Text x;          // Text20
  Text y;          // Text21
  Text side;       // Text17: side, shown text (表(0), 裏(1))
  Text partClass;  // Text23: class, shown text (従(0), 準(1), 主(2))
  Text mainPart;   // Text2: main-part name
  Text group;      // Text12
};

// A click on List1 item k: the panel from part row k + 1. A side or class cell
// holding anything but a known code is shown empty and emptied in the table.
EditPanel FillEditPanel(Design& design, int row);

}  // namespace pcbprep
