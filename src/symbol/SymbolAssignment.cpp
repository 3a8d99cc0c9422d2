#include "symbol/SymbolAssignment.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <utility>

#include "placement/Classification.h"
#include "symbol/ReferenceOrder.h"

namespace pcbprep {

SymbolSizes InitialSymbolSizes() {
  // Transistors, diodes and LEDs have no usual size, so their boxes start empty.
  return {u"C1608", u"R1608", u"RA4-M", u"L1608", u"TP06", u"", u"", u""};
}

const std::vector<SymbolSizeBox>& SymbolSizeBoxes() {
  static const std::vector<SymbolSizeBox> boxes{
      {"Combo1",
       "capacitor",
       "C",
       u"コンデンサ",
       {u"C1005", u"C1608", u"C2012", u"C3216"},
       &SymbolSizes::capacitor},
      {"Combo2",
       "resistor",
       "R",
       u"抵抗",
       {u"R1005", u"R1608", u"R2012", u"R3216"},
       &SymbolSizes::resistor},
      {"Combo3",
       "resistor-array",
       "RA",
       u"集積抵抗",
       {u"RA4-M", u"RA8-M", u"RA4-L", u"RA8-L"},
       &SymbolSizes::resistorArray},
      {"Combo4",
       "coil",
       "L",
       u"コイル",
       {u"L1005", u"L1608", u"L2012", u"L3216", u"L3220", u"L3225"},
       &SymbolSizes::coil},
      {"Combo7",
       "test-point",
       "TP",
       u"ＴＰ",
       {u"TP06", u"TP08", u"TP10", u"TP12", u"TP15"},
       &SymbolSizes::testPoint},
      {"Combo8", "transistor", "Q and TR", u"トランジスタ", {}, &SymbolSizes::transistor},
      {"Combo5", "diode", "D", u"ダイオード", {}, &SymbolSizes::diode},
      {"Combo6", "led", "LED", u"ＬＥＤ", {}, &SymbolSizes::led},
  };
  return boxes;
}

Text SymbolNameFor(TextView reference, const SymbolSizes& sizes) {
  // The longer prefixes come first: CN before C, RV and RA before R, LED before L.
  if (StartsWith(reference, u"CN") || StartsWith(reference, u"RV")) return {};
  if (StartsWith(reference, u"RA")) return sizes.resistorArray;
  if (StartsWith(reference, u"LED")) return sizes.led;
  if (StartsWith(reference, u"C")) return sizes.capacitor;
  if (StartsWith(reference, u"R")) return sizes.resistor;
  if (StartsWith(reference, u"L")) return sizes.coil;
  if (StartsWith(reference, u"D")) return sizes.diode;
  if (StartsWith(reference, u"TP")) return sizes.testPoint;
  if (StartsWith(reference, u"Q") || StartsWith(reference, u"TR")) return sizes.transistor;
  return {};
}

namespace {

// The first three characters of a reference packed into one number, each as its code
// plus 1 in a slot of 21 bits, 0 past the end of the text. Two keys compare like the
// texts' first three characters in text order (a text that ends first is the smaller),
// and the highest differing bit lies in the slot where the texts first differ.
constexpr std::size_t kKeyChars = 3;
constexpr int kSlotBits = 21;

std::uint64_t LeadingKey(TextView text) {
  std::uint64_t key = 0;
  for (std::size_t k = 0; k < kKeyChars; ++k) {
    key <<= kSlotBits;
    if (k < text.size()) key |= static_cast<std::uint64_t>(text[k]) + 1;
  }
  return key;
}

// Length of the common beginning of two texts whose keys differ, by the highest
// differing bit of the keys.
constexpr std::array<std::uint8_t, 64> kCommonLengthOfBit = [] {
  std::array<std::uint8_t, 64> lengths{};
  for (int bit = 0; bit < 64; ++bit) {
    lengths[static_cast<std::size_t>(bit)] =
        static_cast<std::uint8_t>(bit < 3 * kSlotBits ? kKeyChars - 1 - bit / kSlotBits : 0);
  }
  return lengths;
}();

// Length of the common beginning of two texts, from position `from` on.
std::size_t CommonLength(TextView a, TextView b, std::size_t from) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t m = std::min(from, n);
  while (m < n && a[m] == b[m]) ++m;
  return m;
}

// Whether the step for one pair (ra, rb: the numbers the correction compares, 0 when it
// does not apply) ends with the two exchanged: the text-order exchange (`greater`:
// row i is greater than row j), then the numeric correction on the pair as it then
// stands.
inline bool PairExchanged(bool greater, double ra, double rb) {
  const bool bothNumbers = ra != 0 && rb != 0;
  // After a text-order exchange, row j's reference stands in row i.
  const bool corrected = bothNumbers && (greater ? rb > ra : ra > rb);
  return greater != corrected;
}

// The exchange sort over rows begin .. end - 1: for every i and every later j, the
// text-order exchange and then the numeric correction on the pair as it then stands.
// One look at the common beginning per pair settles both steps: the text order is
// decided by the first differing character (or the shorter text is the smaller), and
// the numeric correction applies when the texts differ within their first four
// characters but not in the first; the common length is then the prefix to skip. The
// keys answer both for every pair that differs within three characters. Row i is held
// in registers while j runs.
void ExchangeSort(std::vector<std::uint64_t>& keys, std::vector<std::uint32_t>& order,
                  const std::vector<Text>& texts, const std::vector<double>& rest,
                  std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i + 1 < end; ++i) {
    std::uint64_t ka = keys[i];
    std::uint32_t a = order[i];
    for (std::size_t j = i + 1; j < end; ++j) {
      const std::uint64_t kb = keys[j];
      const std::uint32_t b = order[j];
      bool exchanged;
      if (ka != kb) {
        const std::size_t m =
            kCommonLengthOfBit[static_cast<std::size_t>(std::bit_width(ka ^ kb) - 1)];
        exchanged = PairExchanged(ka > kb, rest[4 * a + m], rest[4 * b + m]);
      } else {
        const TextView ta = texts[a];
        const TextView tb = texts[b];
        const std::size_t m = CommonLength(ta, tb, kKeyChars);
        if (m == ta.size() && m == tb.size()) continue;  // equal texts stay as they are
        const bool greater = m < ta.size() && (m == tb.size() || ta[m] > tb[m]);
        exchanged = m > 3 ? greater : PairExchanged(greater, rest[4 * a + m], rest[4 * b + m]);
      }
      if (exchanged) {
        keys[j] = ka;
        order[j] = a;
        ka = kb;
        a = b;
      }
    }
    keys[i] = ka;
    order[i] = a;
  }
}

}  // namespace

void SortPartReferences(Design& design) {
  const std::size_t count = static_cast<std::size_t>(design.partRows());
  // Per reference: its key and the values the numeric correction compares. The sort
  // moves only the key and the reference number of each row.
  std::vector<Text> texts(count);
  std::vector<std::uint64_t> keys(count);
  std::vector<std::uint32_t> order(count);
  for (std::size_t r = 0; r < count; ++r) {
    texts[r] = design.PartTable.at(static_cast<int>(r) + 1, kPartRef);
    keys[r] = LeadingKey(texts[r]);
    order[r] = static_cast<std::uint32_t>(r);
  }
  const std::vector<double> rest = ValuesAfterBeginnings(texts);

  // References with different first characters are never corrected, so between them
  // the exchanges follow the first character alone, and the exchange sort leaves the
  // references of each first character in the order that sorting them by themselves
  // gives. The sort therefore runs per first character, on the references in their
  // table order; most pairs of a board differ in the first character and are never
  // looked at.
  constexpr int kFirstSlot = (kKeyChars - 1) * kSlotBits;
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) {
    return (keys[x] >> kFirstSlot) < (keys[y] >> kFirstSlot);
  });
  for (std::size_t r = 0; r < count; ++r) keys[r] = LeadingKey(texts[order[r]]);

  // Each first character's references are placed by insertion, which gives the
  // exchange sort's order in about n log n steps; the exchange loop itself runs only
  // where two references are equal, which a symbol assignment never gives.
  for (std::size_t begin = 0, end = 0; begin < count; begin = end) {
    while (end < count && (keys[end] >> kFirstSlot) == (keys[begin] >> kFirstSlot)) ++end;
    if (!OrderReferencesByInsertion(texts, rest, std::span(order).subspan(begin, end - begin))) {
      ExchangeSort(keys, order, texts, rest, begin, end);
    }
  }
  for (std::size_t r = 0; r < count; ++r) {
    design.PartTable.set(static_cast<int>(r) + 1, kPartRef, std::move(texts[order[r]]));
  }
}

int CountUndefinedSymbols(const Design& design) {
  int defined = 0;
  for (int i = 1; i <= design.partRows(); ++i) {
    if (!design.PartTable.at(i, kPartSymbol).empty()) ++defined;
  }
  return design.PartCount - defined;
}

Text FootprintSymbolName(TextView footprint) {
  const std::size_t colon = footprint.find(u':');
  return Text(colon == TextView::npos ? footprint : footprint.substr(colon + 1));
}

SymbolAssignment AssignSymbolNames(Design& design, const SymbolSizes& sizes,
                                   bool footprintsFromNetlist) {
  // The references are gathered before the table is touched, so a netlist that does
  // not fit leaves the parts of the previous run in place.
  std::vector<Text> references = design.pinReferences();

  SymbolAssignment result;
  result.referencesFound = static_cast<int>(references.size());
  if (result.referencesFound > design.capacity().parts) {
    result.fits = false;
    return result;
  }

  design.clearParts();
  for (Text& reference : references) {
    const int row = design.PartCount + 1;
    design.PartTable.set(row, kPartRef, std::move(reference));
    design.PartTable.set(row, kPartSide, Text(kSideFront));
    design.PartCount = row;
  }
  SortPartReferences(design);
  std::unordered_map<Text, TextView> footprints;
  if (footprintsFromNetlist) {
    for (const SchematicPart& part : design.SchematicParts) {
      if (!part.footprint.empty()) footprints.try_emplace(part.reference, part.footprint);
    }
  }
  for (int k = 1; k <= design.partRows(); ++k) {
    const Text& reference = design.PartTable.at(k, kPartRef);
    const auto footprint = footprints.find(reference);
    design.PartTable.set(k, kPartSymbol,
                         footprint != footprints.end() ? FootprintSymbolName(footprint->second)
                                                       : SymbolNameFor(reference, sizes));
  }
  result.undefinedCount = CountUndefinedSymbols(design);
  return result;
}

SymbolAssignment RunSymbolAssignment(Design& design, const SymbolSizes& sizes,
                                     std::vector<Text>& mainPartChoices, ListBoxState& list1,
                                     bool footprintsFromNetlist) {
  SymbolAssignment result = AssignSymbolNames(design, sizes, footprintsFromNetlist);
  if (!result.fits) return result;
  ClassifyByPrefix(design, mainPartChoices);
  // Rebuilt also when nothing was classified, so an empty netlist empties the list
  // instead of leaving the parts of an earlier run on screen.
  RefreshPartList(design, list1, -1);
  return result;
}

bool LargeCapacityWouldTakeParts(const Design& design, const SymbolAssignment& result) {
  return !result.fits && !design.capacity().large && result.referencesFound <= kLargeCapacity.parts;
}

Text TooManyPartsMessage(int referencesFound, int maxParts) {
  return u"ネットリストに部品番号が " + IntText(referencesFound) +
         u" 個あります。部品リストに登録できる部品は " + IntText(maxParts) +
         u" 個までです。\n部品リストは変更されていません。";
}

}  // namespace pcbprep
