#include "netlist/ListViews.h"

#include <algorithm>
#include <cmath>

#include "design/Numeric.h"

namespace pcbprep {

Text NetListLine(const Design& d, int net) {
  return PadRight(d.NetTable.at(net, kNetName), 12) + PadLeft(d.NetTable.at(net, kNetPinCount), 3);
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
    items.push_back(d.NetTable.at(n, kNetName));
    // The pin columns and the one after them. A closing line outside any net leaves the count -1
    // and so no pin items; after a full net of 399 pins the empty cell lies past column 400, and it
    // is listed as empty all the same.
    const double count = std::floor(NumericValue(d.NetTable.at(n, kNetPinCount)));
    const int last =
        static_cast<int>(std::clamp(count, -1.0, static_cast<double>(d.capacity().pinsPerNet))) +
        kFirstPinColumn;
    for (int c = kFirstPinColumn; c <= last; ++c) {
      items.push_back(c < d.capacity().netColumns() ? indent + d.NetTable.at(n, c) : indent);
    }
  }
  return items;
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
