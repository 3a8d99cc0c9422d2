#include "netlist/ListViews.h"

#include <algorithm>
#include <cmath>

#include "design/Numeric.h"

namespace pcbprep {

Text NetListLine(const Design& d, int net) {
  return PadRight(d.NetTable.at(net, 0), 12) + PadLeft(d.NetTable.at(net, 1), 3);
}

std::vector<Text> NetListItems(const Design& d) {
  std::vector<Text> items;
  items.reserve(static_cast<std::size_t>(std::max<int>(d.NetCount, 0)));
  for (int n = 1; n <= d.NetCount; ++n) items.push_back(NetListLine(d, n));
  return items;
}

std::vector<Text> NetPinListItems(const Design& d) {
  std::vector<Text> items;
  const Text indent(8, u' ');
  for (int n = 1; n <= d.NetCount; ++n) {
    items.push_back(d.NetTable.at(n, 0));
    // Columns 2 .. count + 2. A closing line outside any net leaves the count -1 and
    // so no pin items; after a full net of 399 pins the empty cell lies past column
    // 400, and it is listed as empty all the same.
    const double count = std::floor(NumericValue(d.NetTable.at(n, 1)));
    const int last = static_cast<int>(std::clamp(count, -1.0, double{kMaxPinsPerNet})) + 2;
    for (int c = 2; c <= last; ++c) {
      items.push_back(c < kNetColumns ? indent + d.NetTable.at(n, c) : indent);
    }
  }
  return items;
}

Text PartListLine(const Design& d, int part) {
  auto field = [&](int column, std::size_t width) {
    Text value = d.PartTable.at(part, column);
    value.push_back(u' ');
    return PadRight(value, width);
  };
  Text line;
  line.reserve(50);
  line += field(kPartRef, 7);
  line += field(kPartSymbol, 13);
  line += field(kPartX, 5);
  line += field(kPartY, 5);
  line += field(kPartSide, 2);
  line += u"  ";
  line += field(kPartClass, 2);
  line += field(kPartMain, 7);
  line += field(kPartLevel, 3);
  line += u" ";
  line += field(kPartGroup, 3);
  return line;
}

void RefreshPartList(Design& d, ListBoxState& list1, int p) {
  const int items = static_cast<int>(list1.items.size());
  if (p < 0) {
    list1.items.clear();
    list1.items.reserve(static_cast<std::size_t>(std::max<int>(d.PartCount, 0)));
    for (int i = 1; i <= d.PartCount; ++i) list1.items.push_back(PartListLine(d, i));
    list1.selectedIndex = -1;
    return;
  }
  if (p > items) {
    list1.items.push_back(PartListLine(d, p));
    list1.selectedIndex = std::min<int>(d.PartCount, static_cast<int>(list1.items.size()) - 1);
    d.PartCount = static_cast<std::int16_t>(d.PartCount + 1);
    return;
  }
  if (p >= 1) {
    list1.items[static_cast<std::size_t>(p - 1)] = PartListLine(d, p);
    list1.selectedIndex = p - 1;
  }
}

std::optional<Text> SideShown(TextView code) {
  if (code.empty()) return Text();
  if (code == u"0") return Text(kSideFront);
  if (code == u"1") return Text(kSideBack);
  return std::nullopt;
}

std::optional<Text> ClassShown(TextView code) {
  if (code.empty()) return Text();
  if (code == u"0") return Text(kClassSub);
  if (code == u"1") return Text(kClassSemi);
  if (code == u"2") return Text(kClassMain);
  return std::nullopt;
}

EditPanel FillEditPanel(Design& d, int row) {
  EditPanel panel;
  panel.Text11 = d.PartTable.at(row, kPartRef);
  panel.SYNNAME = d.PartTable.at(row, kPartSymbol);
  panel.Text20 = d.PartTable.at(row, kPartX);
  panel.Text21 = d.PartTable.at(row, kPartY);
  if (auto shown = SideShown(d.PartTable.at(row, kPartSide))) {
    panel.Text17 = *shown;
  } else {
    d.PartTable.set(row, kPartSide, Text());
  }
  if (auto shown = ClassShown(d.PartTable.at(row, kPartClass))) {
    panel.Text23 = *shown;
  } else {
    d.PartTable.set(row, kPartClass, Text());
  }
  panel.Text2 = d.PartTable.at(row, kPartMain);
  panel.Text12 = d.PartTable.at(row, kPartGroup);
  return panel;
}

int AddSkipNet(std::array<Text, 10>& boxes, const Text& netName) {
  for (const Text& box : boxes) {
    if (box == netName) return -1;
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].empty()) {
      boxes[i] = netName;
      return static_cast<int>(i);
    }
  }
  return -1;
}

namespace {

// Simple case folding for the search: ASCII, Latin-1, Greek, Cyrillic and the
// full-width Latin letters.
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 32);  // Ａ-Ｚ
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<char16_t>(c + 32);
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 32);
  return c;
}

std::optional<std::size_t> FindFolded(TextView text, TextView needle, std::size_t from) {
  if (needle.empty() || needle.size() > text.size()) return std::nullopt;
  const char16_t first = Fold(needle[0]);
  for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (Fold(text[i]) != first) continue;
    std::size_t k = 1;
    while (k < needle.size() && Fold(text[i + k]) == Fold(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> FindInRawText(TextView text, TextView needle, std::size_t from) {
  if (from > text.size()) from = text.size();
  if (auto hit = FindFolded(text, needle, from)) return hit;
  return FindFolded(text, needle, 0);
}

}  // namespace pcbprep
