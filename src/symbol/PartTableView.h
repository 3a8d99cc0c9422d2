#pragma once

#include <array>
#include <optional>
#include <vector>

#include "design/Design.h"

namespace pcbprep {

// The part list as a table: one row per part, one column per shown attribute.
struct PartViewColumn {
  PartColumn column;        // PartTable column shown
  const char16_t* heading;  // column heading
  bool numeric;             // sorted by numeric value rather than by text
};

inline constexpr std::array<PartViewColumn, 9> kPartViewColumns{{
    {kPartRef, u"部品番号", false},
    {kPartSymbol, u"シンボル名", false},
    {kPartX, u"X", true},
    {kPartY, u"Y", true},
    {kPartSide, u"実装面", false},
    {kPartClass, u"主/準/従", false},
    {kPartMain, u"主部品名", false},
    {kPartGroup, u"グループ", false},
    {kPartLevel, u"接続レベル", true},
}};

using PartViewRow = std::array<Text, kPartViewColumns.size()>;

// The cells of part row `part`: side and class as their shown texts (表(0), 主(2)), a
// cell holding no known code as it is stored, everything else as stored.
PartViewRow PartViewCells(const Design& design, int part);

// One view row per part row 1 .. PartCount, in table order.
std::vector<PartViewRow> PartViewRows(const Design& design);

// The two columns the table adds when the netlist gives values or footprints.
inline constexpr std::array<const char16_t*, 2> kSchematicHeadings{u"値", u"フットプリント"};
using SchematicCells = std::array<Text, 2>;
// Value and footprint of each part row 1 .. PartCount by its reference; empty when the
// netlist gives no value and no footprint at all.
std::vector<SchematicCells> SchematicViewCells(const Design& design);

// The number a component value stands for, so values sort by size: an engineering
// prefix scales it ("100nF" 1e-7, "1uF" 1e-6), a prefix or R between digits is the
// decimal point ("4k7" 4700, "4R7" 4.7); a unit and anything after a blank or "/"
// ("10uF/50V") are left out. None for a text that is no value ("1N4148", "BAT54").
std::optional<double> ComponentValueNumber(TextView value);

}  // namespace pcbprep
