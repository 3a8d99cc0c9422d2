#include "symbol/PartTableView.h"

#include <cmath>
#include <unordered_map>
#include <utility>

namespace pcbprep {

PartViewRow PartViewCells(const Design& design, int part) {
  PartViewRow row;
  for (std::size_t c = 0; c < kPartViewColumns.size(); ++c) {
    const PartColumn column = kPartViewColumns[c].column;
    const Text& cell = design.PartTable.at(part, column);
    std::optional<Text> shown;
    if (column == kPartSide) shown = ShownOfCode(kSideCodes, cell);
    if (column == kPartClass) shown = ShownOfCode(kClassCodes, cell);
    row[c] = shown ? std::move(*shown) : cell;
  }
  return row;
}

std::vector<PartViewRow> PartViewRows(const Design& design) {
  std::vector<PartViewRow> rows;
  rows.reserve(static_cast<std::size_t>(design.partRows()));
  for (int part = 1; part <= design.partRows(); ++part) rows.push_back(PartViewCells(design, part));
  return rows;
}

std::vector<SchematicCells> SchematicViewCells(const Design& design) {
  std::unordered_map<Text, const SchematicPart*> byReference;
  bool any = false;
  for (const SchematicPart& part : design.SchematicParts) {
    byReference.try_emplace(part.reference, &part);
    any = any || !part.value.empty() || !part.footprint.empty();
  }
  std::vector<SchematicCells> cells;
  if (!any) return cells;
  cells.resize(static_cast<std::size_t>(design.partRows()));
  for (int part = 1; part <= design.partRows(); ++part) {
    const auto found = byReference.find(design.PartTable.at(part, kPartRef));
    if (found != byReference.end()) {
      cells[static_cast<std::size_t>(part - 1)] = {found->second->value, found->second->footprint};
    }
  }
  return cells;
}

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The power of ten of an engineering prefix; R stands for the decimal point alone.
std::optional<int> PrefixExponent(char16_t c) {
  switch (c) {
    case u'p':
      return -12;
    case u'n':
      return -9;
    case u'u':
    case u'\u00B5':  // micro sign
    case u'\u03BC':  // Greek mu
      return -6;
    case u'm':
      return -3;
    case u'R':
    case u'r':
      return 0;
    case u'k':
    case u'K':
      return 3;
    case u'M':
      return 6;
    case u'G':
      return 9;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<double> ComponentValueNumber(TextView value) {
  std::size_t i = 0;
  while (i < value.size() && value[i] == u' ') ++i;
  const auto digits = [&](double& number, double& scale) {
    const std::size_t from = i;
    for (; i < value.size() && IsDigit(value[i]); ++i) {
      if (scale == 1) {
        number = number * 10 + (value[i] - u'0');
      } else {
        number += (value[i] - u'0') * scale;
        scale /= 10;
      }
    }
    return i > from;
  };
  double number = 0;
  double scale = 1;
  const bool whole = digits(number, scale);
  int exponent = 0;
  if (i < value.size() && value[i] == u'.') {
    // "2.2u": the prefix after the decimal digits.
    ++i;
    scale = 0.1;
    if (!digits(number, scale) && !whole) return std::nullopt;
    if (i < value.size()) exponent = PrefixExponent(value[i]).value_or(0);
    if (exponent != 0) ++i;
  } else if (const auto prefix = i < value.size() ? PrefixExponent(value[i]) : std::nullopt;
             prefix && (whole || *prefix == 0)) {
    // "10k", "4k7", "R47".
    exponent = *prefix;
    ++i;
    scale = 0.1;
    if (!digits(number, scale) && !whole) return std::nullopt;
  } else if (!whole) {
    return std::nullopt;
  }
  // The unit: letters up to a blank or "/"; a digit there makes it a part number.
  for (; i < value.size() && value[i] != u' ' && value[i] != u'/'; ++i) {
    if (IsDigit(value[i])) return std::nullopt;
  }
  return number * std::pow(10.0, exponent);
}

}  // namespace pcbprep
