#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "design/Grid.h"
#include "design/Text.h"

namespace pcbprep {

// The sizes of the design tables and every limit that follows from them. A design is
// made with one capacity and keeps it until it is cleared with another; every limit
// check and every limit in a message reads the design's capacity.
struct Capacity {
  int nets;        // net rows 1 .. nets
  int pinsPerNet;  // pins of one net, in columns 2 .. pinsPerNet + 1
  int lineSlots;   // line slots a netlist file may take; also the pin total shown as OK
  int parts;       // part rows 1 .. parts (and parts in a part-list file)
  // Coordinates the pre-placement may write: 16 bits in the standard tables, 32 bits
  // in the large ones, whose hundreds of anchor columns and long stacks pass 32767.
  double minCoordinate;
  double maxCoordinate;
  bool large;  // the large capacity, which the user chose

  int netColumns() const { return pinsPerNet + 2; }  // columns 0 .. pinsPerNet + 1
  bool operator==(const Capacity&) const = default;
};

// The tables the program has always had; files that fit them give the same results in
// either capacity.
inline constexpr Capacity kStandardCapacity{1000, 399, 2000, 1000, -32768, 32767, false};
// For boards past the standard tables (single-board computers, carriers, servers).
inline constexpr Capacity kLargeCapacity{50000,        50000,       1000000, 50000,
                                         -2147483648., 2147483647., true};

inline constexpr Capacity CapacityFor(bool large) {
  return large ? kLargeCapacity : kStandardCapacity;
}

// The standard capacity's sizes by name.
inline constexpr int kMaxNets = kStandardCapacity.nets;
inline constexpr int kNetColumns = kStandardCapacity.pinsPerNet + 2;
inline constexpr int kMaxPinsPerNet = kStandardCapacity.pinsPerNet;
inline constexpr int kMaxParts = kStandardCapacity.parts;
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
  // The symbol's sheet path and time stamp ("/<sheet>/…/<symbol>") where the format
  // gives them, so a board can be matched to its schematic.
  Text path;
};

// All design data of a run. Every cell is text, "" meaning unset; rows count from 1.
// The tables hold only what was written, so a small board costs little in either
// capacity.
struct Design {
  explicit Design(const Capacity& capacity = kStandardCapacity);

  Grid NetTable;
  Grid PinPartTable;
  Grid PinNoTable;
  int NetCount = 0;

  Grid PartTable;
  int PartCount = 0;

  std::int16_t BoardSizeX = 0;
  std::int16_t BoardSizeY = 0;

  Text NetFilePath;

  const Capacity& capacity() const { return capacity_; }
  // Empties every table and counter and gives the design a capacity; the path stays.
  void clear(const Capacity& capacity);

  // Value and footprint per part, in file order, from a netlist format that has them;
  // empty for the bracket format.
  std::vector<SchematicPart> SchematicParts;

  // Pin count of net row n: the numeric value of NetTable(n, 1), limited to what the
  // table can hold so a foreign table cannot send a loop past the last column.
  int pinCount(int net) const;
  // Columns kFirstPinColumn .. pinCount(net) + 1.
  ColumnRange pinColumns(int net) const;
  // The part references the nets' pins name, each once, in the order first named.
  std::vector<Text> pinReferences() const;

  // Number of net rows the operations visit: NetCount, limited to the net rows.
  int netRows() const;
  // Number of part rows the operations visit: PartCount, limited to the part rows so a
  // foreign count cannot send a loop past the table.
  int partRows() const;

  // Empties every PartTable row and sets PartCount to 0.
  void clearParts();

 private:
  Capacity capacity_;
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
