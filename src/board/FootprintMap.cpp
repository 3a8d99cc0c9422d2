#include "board/FootprintMap.h"

#include "design/CodePage.h"
#include "design/Numeric.h"
#include "netlist/NetlistFormatReaders.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {

namespace {

struct DefaultRow {
  const char16_t* symbol;
  const char16_t* footprint;
};

constexpr DefaultRow kDefaults[] = {
    {u"C1005", u"Capacitor_SMD:C_0402_1005Metric"},
    {u"C1608", u"Capacitor_SMD:C_0603_1608Metric"},
    {u"C2012", u"Capacitor_SMD:C_0805_2012Metric"},
    {u"C3216", u"Capacitor_SMD:C_1206_3216Metric"},
    {u"R1005", u"Resistor_SMD:R_0402_1005Metric"},
    {u"R1608", u"Resistor_SMD:R_0603_1608Metric"},
    {u"R2012", u"Resistor_SMD:R_0805_2012Metric"},
    {u"R3216", u"Resistor_SMD:R_1206_3216Metric"},
    {u"L1005", u"Inductor_SMD:L_0402_1005Metric"},
    {u"L1608", u"Inductor_SMD:L_0603_1608Metric"},
    {u"L2012", u"Inductor_SMD:L_0805_2012Metric"},
    {u"L3216", u"Inductor_SMD:L_1206_3216Metric"},
    {u"L3225", u"Inductor_SMD:L_1210_3225Metric"},
    {u"RA4-M", u"Resistor_SMD:R_Array_Convex_4x0603"},
    {u"RA4-L", u"Resistor_SMD:R_Array_Convex_4x1206"},
    {u"RA8-M", u"Resistor_SMD:R_Array_Convex_8x0602"},
    {u"TP10", u"TestPoint:TestPoint_Pad_D1.0mm"},
    {u"TP15", u"TestPoint:TestPoint_Pad_D1.5mm"},
};

// Text of a map file: UTF-8 after a byte-order mark or where the bytes are valid UTF-8,
// code page 932 otherwise.
Text DecodeMapBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return FromUtf8(bytes.substr(kUtf8Mark.size()));
  if (IsValidUtf8(bytes)) return FromUtf8(bytes);
  return DecodeCp932(bytes).text;
}

bool StartsLikeNumber(TextView text) {
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) text.remove_prefix(1);
  if (!text.empty() && text.front() == u'.') text.remove_prefix(1);
  return !text.empty() && text.front() >= u'0' && text.front() <= u'9';
}

}  // namespace

const FootprintMapEntry* FootprintMap::find(TextView symbol) const {
  const auto it = entries.find(Text(symbol));
  return it == entries.end() ? nullptr : &it->second;
}

FootprintMap DefaultFootprintMap() {
  FootprintMap map;
  for (const DefaultRow& row : kDefaults) map.entries[row.symbol] = {row.footprint, std::nullopt};
  return map;
}

std::optional<FootprintMapError> ReadFootprintMap(std::string_view bytes, FootprintMap& map) {
  const Text text = DecodeMapBytes(bytes);
  FootprintMap read = map;
  for (const NumberedLine& numbered : SplitLines(text)) {
    const int lineNumber = numbered.number;
    const TextView line = Trimmed(numbered.text);
    if (line.empty() || line.front() == u'#') continue;

    const TextView separators = line.find(u'\t') != TextView::npos ? u"\t" : u",";
    std::vector<TextView> fields;
    std::size_t from = 0;
    while (true) {
      const std::size_t at = line.find_first_of(separators, from);
      fields.push_back(
          Trimmed(line.substr(from, at == TextView::npos ? TextView::npos : at - from)));
      if (at == TextView::npos) break;
      from = at + 1;
    }
    const auto fail = [&](const char16_t* reason) {
      return FootprintMapError{lineNumber, Text(line), reason};
    };
    if (fields.size() < 2 || fields.size() > 3 || fields[0].empty() || fields[1].empty()) {
      return fail(u"シンボル名とフットプリント（ライブラリ:名前）の 2 項目ではありません。");
    }
    if (fields[1].find(u':') == TextView::npos) {
      return fail(u"フットプリントが「ライブラリ:名前」の形ではありません。");
    }
    FootprintMapEntry entry{Text(fields[1]), std::nullopt};
    if (fields.size() == 3 && !fields[2].empty()) {
      const double height = NumericValue(fields[2]);
      if (!StartsLikeNumber(fields[2]) || !(height > 0)) {
        return fail(u"3 項目めの部品高さが正の数ではありません。");
      }
      entry.height = height;
    }
    read.entries[Text(fields[0])] = std::move(entry);
  }
  map = std::move(read);
  return std::nullopt;
}

Text FootprintMapErrorMessage(TextView file, const FootprintMapError& error) {
  return Text(file) + u" " + IntText(error.line) + u" 行目: " + error.reason + u"「" +
         QuotedPart(error.content) + u"」";
}

Text FootprintOfPart(const FootprintMap& map, TextView reference, TextView symbol,
                     const SchematicPart* schematic) {
  const Text netlistFootprint = schematic ? schematic->footprint : Text();
  if (symbol.empty()) {
    if (!netlistFootprint.empty()) return netlistFootprint;
    return Text(kOwnFootprintLibrary) + u":" + Text(reference);
  }
  if (symbol.find(u':') != TextView::npos) return Text(symbol);
  if (!netlistFootprint.empty() && FootprintSymbolName(netlistFootprint) == symbol) {
    return netlistFootprint;
  }
  if (const FootprintMapEntry* entry = map.find(symbol)) return entry->footprint;
  return Text(kOwnFootprintLibrary) + u":" + Text(symbol);
}

}  // namespace pcbprep
