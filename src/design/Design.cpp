#include "design/Design.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "design/Numeric.h"

namespace pcbprep {

Design::Design(const Capacity& capacity)
    : NetTable(capacity.nets + 1, capacity.netColumns()),
      PinPartTable(capacity.nets + 1, capacity.netColumns()),
      PinNoTable(capacity.nets + 1, capacity.netColumns()),
      PartTable(capacity.parts + 1, kPartColumns),
      capacity_(capacity) {}

void Design::clear(const Capacity& capacity) {
  Text path = std::move(NetFilePath);
  *this = Design(capacity);
  NetFilePath = std::move(path);
}

int Design::pinCount(int net) const {
  const double value = NumericValue(NetTable.at(net, kNetPinCount));
  if (!(value > 0)) return 0;
  // Columns 2 .. count + 1 must exist; a larger count is read as a full row.
  return static_cast<int>(std::min(std::floor(value), static_cast<double>(capacity_.pinsPerNet)));
}

ColumnRange Design::pinColumns(int net) const {
  return {kFirstPinColumn, kFirstPinColumn + pinCount(net) - 1};
}

std::vector<Text> Design::pinReferences() const {
  std::vector<Text> references;
  std::unordered_set<TextView> seen;
  for (int n = 1; n <= netRows(); ++n) {
    for (const int c : pinColumns(n)) {
      const Text& reference = PinPartTable.at(n, c);
      if (seen.insert(reference).second) references.push_back(reference);
    }
  }
  return references;
}

int Design::netRows() const { return std::clamp(NetCount, 0, capacity_.nets); }

int Design::partRows() const { return std::clamp(PartCount, 0, capacity_.parts); }

void Design::clearParts() {
  PartTable.clearAll();
  PartCount = 0;
}

Text ReferencePrefix(TextView reference) {
  std::size_t end = 0;
  while (end < reference.size() && !(reference[end] >= u'0' && reference[end] <= u'9')) ++end;
  return Text(reference.substr(0, end));
}

std::optional<Text> ShownOfCode(CodeTable codes, TextView code) {
  if (code.empty()) return Text();
  for (const CodedValue& value : codes) {
    if (value.code == code) return Text(value.shown);
  }
  return std::nullopt;
}

std::optional<Text> CodeOfShown(CodeTable codes, TextView shown) {
  if (shown.empty()) return Text();
  for (const CodedValue& value : codes) {
    if (value.shown == shown) return Text(value.code);
  }
  return std::nullopt;
}

Text NextShown(CodeTable codes, TextView shown) {
  if (codes.empty()) return {};
  if (shown.empty()) return Text(codes.front().shown);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i].shown == shown) return Text(codes[(i + codes.size() - 1) % codes.size()].shown);
  }
  return {};
}

}  // namespace pcbprep
