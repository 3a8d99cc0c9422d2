#include "check/NetCheck.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <unordered_map>
#include <vector>

namespace pcbprep {

namespace {

constexpr char16_t kCrLf[] = u"\r\n";

// One pin of one net. Slots are kept in net order, then column order, which is the
// order every finding is reported in.
struct Slot {
  int net;
  int column;
};

std::vector<Slot> PinSlots(const Design& d) {
  std::vector<Slot> slots;
  for (int n = 1; n <= d.NetCount; ++n) {
    for (const int c : d.pinColumns(n)) slots.push_back({n, c});
  }
  return slots;
}

// How many findings of a kind the report lists; the others are counted in one line.
struct Listing {
  long long limit;
  bool lists(long long count) const { return count < limit; }
  // The line after the listed findings, when some were left out.
  void more(Text& out, long long count) const {
    if (count <= limit) return;
    out += u"ほか " + IntText(count - limit) + u" 件（" + IntText(limit) + u" 件を超える分は省略）";
    out += kCrLf;
  }
};

// Connectors and resistor arrays carry several pins per net by design.
bool IsTwoTerminal(TextView reference) {
  if (StartsWith(reference, u"CN") || StartsWith(reference, u"RA")) return false;
  return StartsWith(reference, u"C") || StartsWith(reference, u"R") ||
         StartsWith(reference, u"L") || StartsWith(reference, u"D");
}

// Appends the pieces of one report line to the report in place, without building the
// line as a separate text first.
template <typename... Pieces>
void Append(Text& out, const Pieces&... pieces) {
  (out.append(TextView(pieces)), ...);
}

// A run of blanks in the report.
TextView Spaces(std::size_t n) {
  static constexpr char16_t kBlanks[] = u"                    ";
  return TextView(kBlanks, n);
}

void CheckOpen(const Design& d, const std::vector<Slot>& slots, const Listing& listing,
               NetCheckResult& r) {
  // A part is open when its reference occurs in no other slot; counting first keeps
  // the check linear.
  std::unordered_map<TextView, int> occurrences;
  for (const Slot& s : slots) ++occurrences[d.PinPartTable.at(s.net, s.column)];

  Text& out = r.reportText;
  out += u" [ ２端子部品オープン ]";
  for (const Slot& s : slots) {
    const Text& reference = d.PinPartTable.at(s.net, s.column);
    if (StartsWith(reference, u"TP") || occurrences[reference] > 1) continue;
    if (listing.lists(r.openCount)) {
      Append(out, kCrLf, d.NetTable.at(s.net, kNetName), Spaces(3), d.NetTable.at(s.net, s.column),
             kCrLf);
    }
    ++r.openCount;
  }
  listing.more(out, r.openCount);
  if (r.openCount == 0) Append(out, Spaces(5), u"OK", kCrLf, kCrLf);
}

void CheckShort(const Design& d, const Listing& listing, NetCheckResult& r) {
  Text& out = r.reportText;
  out += kCrLf;
  out += u" [ ２端子部品ショート ]";
  for (int n = 1; n <= d.NetCount; ++n) {
    const ColumnRange pins = d.pinColumns(n);
    std::unordered_map<TextView, std::vector<int>> columnsOf;
    for (const int c : pins) {
      const Text& reference = d.PinPartTable.at(n, c);
      if (IsTwoTerminal(reference)) columnsOf[reference].push_back(c);
    }
    // Pairs (c, d) with c < d, c ascending and then d ascending.
    for (int c = pins.first; c < pins.last; ++c) {
      const auto group = columnsOf.find(d.PinPartTable.at(n, c));
      if (group == columnsOf.end()) continue;
      const std::vector<int>& columns = group->second;
      const auto later = std::upper_bound(columns.begin(), columns.end(), c);
      // Past the listing the pairs are only counted, not walked.
      if (!listing.lists(r.shortCount)) {
        r.shortCount += columns.end() - later;
        continue;
      }
      for (auto it = later; it != columns.end(); ++it) {
        if (listing.lists(r.shortCount)) {
          Append(out, kCrLf, kCrLf, d.NetTable.at(n, kNetName), Spaces(5), d.NetTable.at(n, c),
                 Spaces(5), d.NetTable.at(n, *it), kCrLf);
        }
        ++r.shortCount;
      }
    }
  }
  listing.more(out, r.shortCount);
  if (r.shortCount == 0) Append(out, Spaces(6), u"OK", kCrLf, kCrLf);
}

// What names a pin to the duplicate check: the token REF-PIN, or for a netlist that
// gave reference and pin number apart the pair, since "U-1" pin "2" and "U" pin "1-2"
// make the same token.
struct PinKey {
  TextView reference;
  TextView pin;
  bool operator==(const PinKey&) const = default;
};
struct PinKeyHash {
  std::size_t operator()(const PinKey& k) const {
    const std::hash<TextView> h;
    return h(k.reference) * 31 + h(k.pin);
  }
};

PinKey KeyOf(const Design& d, const Slot& s) {
  if (d.PinNamesApart)
    return {d.PinPartTable.at(s.net, s.column), d.PinNoTable.at(s.net, s.column)};
  return {d.NetTable.at(s.net, s.column), TextView()};
}

void CheckDuplicate(const Design& d, const std::vector<Slot>& slots, const Listing& listing,
                    NetCheckResult& r) {
  // Every slot is compared with the slots of its own net and of the later nets, so a
  // token twice in one net is reported from both sides and across nets only once.
  std::unordered_map<PinKey, std::vector<std::size_t>, PinKeyHash> slotsOf;
  for (std::size_t i = 0; i < slots.size(); ++i) slotsOf[KeyOf(d, slots[i])].push_back(i);

  Text& out = r.reportText;
  out += kCrLf;
  out += u" [ 部品ピン重複 ]";
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& first = slots[i];
    const Text& token = d.NetTable.at(first.net, first.column);
    const std::vector<std::size_t>& same = slotsOf.find(KeyOf(d, first))->second;
    if (same.size() < 2) continue;
    auto from = std::lower_bound(same.begin(), same.end(), first.net,
                                 [&](std::size_t k, int net) { return slots[k].net < net; });
    if (!listing.lists(r.duplicateCount)) {
      r.duplicateCount += (same.end() - from) - 1;  // all but the slot itself
      continue;
    }
    for (auto it = from; it != same.end(); ++it) {
      if (*it == i) continue;
      const Slot& second = slots[*it];
      if (listing.lists(r.duplicateCount)) {
        Append(out, kCrLf, kCrLf, d.NetTable.at(first.net, kNetName), Spaces(2), token, Spaces(6),
               d.NetTable.at(second.net, kNetName), Spaces(2),
               d.NetTable.at(second.net, second.column), kCrLf);
      }
      ++r.duplicateCount;
    }
  }
  listing.more(out, r.duplicateCount);
  if (r.duplicateCount == 0) Append(out, Spaces(13), u"OK", kCrLf, kCrLf);
}

void CheckIsolated(const Design& d, const Listing& listing, NetCheckResult& r) {
  Text& out = r.reportText;
  out += kCrLf;
  out += u" [ 孤立ピン ]";
  for (int n = 1; n <= d.NetCount; ++n) {
    // The count compared as text, as the reader writes it for a net of one pin.
    if (d.NetTable.at(n, kNetPinCount) != u"1") continue;
    if (listing.lists(r.isolatedCount)) {
      Append(out, kCrLf, d.NetTable.at(n, kNetName), Spaces(2), d.NetTable.at(n, kFirstPinColumn),
             kCrLf);
    }
    ++r.isolatedCount;
  }
  listing.more(out, r.isolatedCount);
  if (r.isolatedCount == 0) Append(out, Spaces(19), u"OK", kCrLf, kCrLf);
}

}  // namespace

bool NetsFitStandardTables(const Design& design) {
  const Capacity& standard = kStandardCapacity;
  if (design.NetCount > standard.nets) return false;
  long long slots = 0;
  for (int n = 1; n <= design.netRows(); ++n) {
    const int pins = design.pinCount(n);
    if (pins > standard.pinsPerNet) return false;
    slots += pins + 1;
  }
  return slots <= standard.lineSlots;
}

NetCheckResult RunExtendedNetCheck(const Design& design) {
  const std::vector<Slot> slots = PinSlots(design);
  const Listing listing{NetsFitStandardTables(design) ? std::numeric_limits<long long>::max()
                                                      : kReportLinesPerKind};
  NetCheckResult result;
  CheckOpen(design, slots, listing, result);
  CheckShort(design, listing, result);
  CheckDuplicate(design, slots, listing, result);
  CheckIsolated(design, listing, result);
  return result;
}

}  // namespace pcbprep
