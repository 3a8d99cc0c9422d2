#include "symbol/SymbolAssignment.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "design/Numeric.h"
#include "placement/Classification.h"

namespace pcbprep {

SymbolSizes InitialSymbolSizes() {
  // Transistors, diodes and LEDs have no usual size, so their boxes start empty.
  return {u"C1608", u"R1608", u"RA4-M", u"L1608", u"TP06", u"", u"", u""};
}

Text SymbolNameFor(TextView reference, const SymbolSizes& sizes) {
  // The longer prefixes come first: CN before C, RV and RA before R, LED before L.
  if (StartsWith(reference, u"CN") || StartsWith(reference, u"RV")) return {};
  if (StartsWith(reference, u"RA")) return sizes.Combo3;
  if (StartsWith(reference, u"LED")) return sizes.Combo6;
  if (StartsWith(reference, u"C")) return sizes.Combo1;
  if (StartsWith(reference, u"R")) return sizes.Combo2;
  if (StartsWith(reference, u"L")) return sizes.Combo4;
  if (StartsWith(reference, u"D")) return sizes.Combo5;
  if (StartsWith(reference, u"TP")) return sizes.Combo7;
  if (StartsWith(reference, u"Q") || StartsWith(reference, u"TR")) return sizes.Combo8;
  return {};
}

namespace {

// A reference with the numbers the sort may compare, read once: the leading-number
// value of the reference without its first 1, 2 and 3 characters.
struct SortEntry {
  Text reference;
  double rest[3];
};

SortEntry MakeSortEntry(Text reference) {
  SortEntry entry{std::move(reference), {}};
  for (std::size_t p = 1; p <= 3; ++p) {
    const TextView text = entry.reference;
    entry.rest[p - 1] = NumericValue(text.substr(std::min(p, text.size())));
  }
  return entry;
}

// Length of the common beginning of two texts.
std::size_t CommonLength(TextView a, TextView b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t m = 0;
  while (m < n && a[m] == b[m]) ++m;
  return m;
}

}  // namespace

void SortPartReferences(Design& design) {
  const int count = design.PartCount;
  std::vector<SortEntry> rows;
  rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 1; i <= count; ++i) rows.push_back(MakeSortEntry(design.PartTable.at(i, kPartRef)));

  // One scan of the common beginning per pair settles both steps: the text order is
  // decided by the first differing character (or the shorter text is the smaller),
  // and the numeric correction applies when the texts differ within their first four
  // characters but not in the first; the common length is then the prefix to skip.
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      const TextView a = rows[i].reference;
      const TextView b = rows[j].reference;
      const std::size_t m = CommonLength(a, b);
      const bool equal = m == a.size() && m == b.size();
      const bool greater = m < a.size() && (m == b.size() || a[m] > b[m]);
      if (greater) std::swap(rows[i], rows[j]);
      if (equal || m < 1 || m > 3) continue;
      const double vi = rows[i].rest[m - 1];
      const double vj = rows[j].rest[m - 1];
      if (vi == 0 || vj == 0) continue;
      if (vi > vj) std::swap(rows[i], rows[j]);
    }
  }

  for (int i = 1; i <= count; ++i) {
    design.PartTable.set(i, kPartRef, std::move(rows[static_cast<std::size_t>(i - 1)].reference));
  }
}

int CountUndefinedSymbols(const Design& design) {
  int defined = 0;
  for (int i = 1; i <= design.PartCount; ++i) {
    if (!design.PartTable.at(i, kPartSymbol).empty()) ++defined;
  }
  return design.PartCount - defined;
}

SymbolAssignment AssignSymbolNames(Design& design, const SymbolSizes& sizes) {
  // The references are gathered before the table is touched, so a netlist that does
  // not fit leaves the parts of the previous run in place.
  std::vector<Text> references;
  std::unordered_set<TextView> seen;
  for (int n = 1; n <= design.NetCount; ++n) {
    const int count = design.pinCount(n);
    for (int c = 2; c <= count + 1; ++c) {
      const Text& reference = design.PinPartTable.at(n, c);
      if (seen.insert(reference).second) references.push_back(reference);
    }
  }

  SymbolAssignment result;
  result.referencesFound = static_cast<int>(references.size());
  if (result.referencesFound > kMaxParts) {
    result.fits = false;
    return result;
  }

  design.clearParts();
  for (Text& reference : references) {
    const int row = design.PartCount + 1;
    design.PartTable.set(row, kPartRef, std::move(reference));
    design.PartTable.set(row, kPartSide, u"0");
    design.PartCount = static_cast<std::int16_t>(row);
  }
  SortPartReferences(design);
  for (int k = 1; k <= design.PartCount; ++k) {
    design.PartTable.set(k, kPartSymbol, SymbolNameFor(design.PartTable.at(k, kPartRef), sizes));
  }
  result.undefinedCount = CountUndefinedSymbols(design);
  return result;
}

SymbolAssignment RunSymbolAssignment(Design& design, const SymbolSizes& sizes,
                                     std::vector<Text>& combo11, ListBoxState& list1) {
  SymbolAssignment result = AssignSymbolNames(design, sizes);
  if (!result.fits) return result;
  ClassifyByPrefix(design, combo11);
  // Rebuilt also when nothing was classified, so an empty netlist empties the list
  // instead of leaving the parts of an earlier run on screen.
  RefreshPartList(design, list1, -1);
  return result;
}

Text TooManyPartsMessage(int referencesFound) {
  return u"ネットリストに部品番号が " + IntText(referencesFound) +
         u" 個あります。部品リストに登録できる部品は " + IntText(kMaxParts) +
         u" 個までです。\n部品リストは変更されていません。";
}

}  // namespace pcbprep
