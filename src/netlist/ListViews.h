#pragma once

#include <array>
#include <optional>
#include <vector>

#include "design/Design.h"

namespace pcbprep {

// The items and the selection of a list box, kept in core so that the list
// operations run and are tested without a window. The window mirrors it.
struct ListBoxState {
  std::vector<Text> items;
  int selectedIndex = -1;
};

// List3: net name left-aligned to 12, pin count right-aligned to 3.
Text NetListLine(const Design& design, int net);
std::vector<Text> NetListItems(const Design& design);

// List2: per net the name alone, then eight spaces and each cell of columns
// 2 .. n + 2 (the last is the empty cell after the last pin).
std::vector<Text> NetPinListItems(const Design& design);

// List1: one line per part; each value gets one space appended and is left-aligned
// to its field width.
Text PartListLine(const Design& design, int part);

// Rebuilds (p < 0), appends (p beyond the items: raises PartCount) or replaces and
// selects (1 <= p <= items) the line of part p in List1.
void RefreshPartList(Design& design, ListBoxState& list1, int p);

// The part edit panel's eight boxes.
struct EditPanel {
  Text Text11;   // reference
  Text SYNNAME;  // symbol name
  Text Text20;   // X
  Text Text21;   // Y
  Text Text17;   // side, shown text
  Text Text23;   // class, shown text
  Text Text2;    // main-part name
  Text Text12;   // group
};

// Shown texts of the coded cells; nullopt for a value that is not a known code.
std::optional<Text> SideShown(TextView code);
std::optional<Text> ClassShown(TextView code);

// A click on List1 item k: the panel from part row k + 1. A side or class cell
// holding anything but a known code is shown empty and emptied in the table.
EditPanel FillEditPanel(Design& design, int row);

// A click on List3: the net name goes into the lowest empty skip-net box unless a
// box already holds it. Returns the box written, or -1.
int AddSkipNet(std::array<Text, 10>& boxes, const Text& netName);

// The case-insensitive search of the raw view: from `from` to the end, then once
// more from the start. Returns the start of the match.
std::optional<std::size_t> FindInRawText(TextView text, TextView needle, std::size_t from);

}  // namespace pcbprep
