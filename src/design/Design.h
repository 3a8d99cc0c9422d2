#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "design/Grid.h"
#include "design/Text.h"

namespace pcbprep {

inline constexpr int kMaxNets = 1000;    // net rows 1 .. 1000
inline constexpr int kNetColumns = 401;  // columns 0 .. 400, pins in 2 .. 400
inline constexpr int kMaxPinsPerNet = 399;
inline constexpr int kMaxParts = 1000;   // part rows 1 .. 1000
inline constexpr int kPartColumns = 11;  // columns 0 .. 10

// Columns of NetTable. PinPartTable and PinNoTable use the same columns: the name in
// column 0 and, in each pin column, the reference and the pin number of that pin.
enum NetColumn : int {
  kNetName = 0,
  kNetPinCount = 1,
  kFirstPinColumn = 2,  // pins in columns 2 .. pin count + 1
};

// The pin columns of one net, for `for (int c : design.pinColumns(net))`.
struct ColumnRange {
  int first = kFirstPinColumn;
  int last = kFirstPinColumn - 1;  // inclusive; below `first` for a net without pins

  struct Iterator {
    int column;
    int operator*() const { return column; }
    Iterator& operator++() {
      ++column;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return column != other.column; }
  };
  Iterator begin() const { return {first}; }
  Iterator end() const { return {last + 1}; }
};

// Columns of PartTable.
enum PartColumn : int {
  kPartRef = 0,
  kPartSymbol = 1,
  kPartX = 2,
  kPartY = 3,
  kPartSide = 5,
  kPartClass = 6,
  kPartMain = 7,
  kPartGroup = 8,
  kPartLevel = 10,
};

// The level (kPartLevel) of a main or semi part; the parts it reaches count up from it.
inline constexpr int kAnchorLevel = 0;

// What the schematic's netlist says of a part, where its format carries it.
struct SchematicPart {
  Text reference;
  Text value;
  Text footprint;  // as written, library nickname included ("Lib:Name")
};

// All design data of a run. Every cell is text, "" meaning unset; rows count from 1.
struct Design {
  Grid NetTable{kMaxNets + 1, kNetColumns};
  Grid PinPartTable{kMaxNets + 1, kNetColumns};
  Grid PinNoTable{kMaxNets + 1, kNetColumns};
  std::int16_t NetCount = 0;

  Grid PartTable{kMaxParts + 1, kPartColumns};
  std::int16_t PartCount = 0;

  std::int16_t BoardSizeX = 0;
  std::int16_t BoardSizeY = 0;

  Text NetFilePath;

  // Value and footprint per part, in file order, from a netlist format that has them;
  // empty for the bracket format.
  std::vector<SchematicPart> SchematicParts;

  // Pin count of net row n: the numeric value of NetTable(n, 1), limited to what the
  // table can hold so a foreign table cannot send a loop past column 400.
  int pinCount(int net) const;
  // Columns kFirstPinColumn .. pinCount(net) + 1.
  ColumnRange pinColumns(int net) const;
  // The part references the nets' pins name, each once, in the order first named.
  std::vector<Text> pinReferences() const;

  // Number of part rows the operations visit: PartCount, limited to 0 .. kMaxParts so a
  // foreign count cannot send a loop past the table.
  int partRows() const;

  // Empties PartTable rows 0 .. 1000 and sets PartCount to 0.
  void clearParts();
};

// The leading run of non-digit characters of a reference ("IC12" -> "IC").
Text ReferencePrefix(TextView reference);

// Stored codes of the side cell (kPartSide).
inline constexpr TextView kSideFront = u"0";
inline constexpr TextView kSideBack = u"1";

// Stored codes of the class cell (kPartClass): a sub part follows a main or semi part,
// which anchors the placement.
inline constexpr TextView kClassSub = u"0";
inline constexpr TextView kClassSemi = u"1";
inline constexpr TextView kClassMain = u"2";
// A main or semi part: one that other parts can take as their main part.
inline bool IsAnchorClass(TextView code) { return code == kClassSemi || code == kClassMain; }

// A stored code and the text the edit panel shows for it.
struct CodedValue {
  TextView code;
  TextView shown;
};
using CodeTable = std::span<const CodedValue>;

// The side and class codes with their shown texts, in code order.
inline constexpr CodedValue kSideCodes[] = {{kSideFront, u"表(0)"}, {kSideBack, u"裏(1)"}};
inline constexpr CodedValue kClassCodes[] = {
    {kClassSub, u"従(0)"}, {kClassSemi, u"準(1)"}, {kClassMain, u"主(2)"}};

// The shown text of a stored code and the stored code of a shown text; "" stays "".
// Nothing for a value the table does not know.
std::optional<Text> ShownOfCode(CodeTable codes, TextView code);
std::optional<Text> CodeOfShown(CodeTable codes, TextView shown);

// The shown text after `shown` when its box is clicked: the next lower code, the
// lowest going round to the highest (side: 表, 裏, 表; class: 従, 主, 準, 従); "" starts
// at the lowest code, and an unknown text clears the box.
Text NextShown(CodeTable codes, TextView shown);

}  // namespace pcbprep
