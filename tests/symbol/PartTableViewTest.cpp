#include "symbol/PartTableView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pcbprep {
namespace {

// Side and class read as the edit panel shows them; a value that is no code stays as
// stored, so the table hides nothing; the other columns are the cells as they are.
TEST(PartViewCells, ShowTheCodedColumnsAsTheirTextsAndEverythingElseAsStored) {
  struct Case {
    const char16_t* side;
    const char16_t* cls;
    const char16_t* shownSide;
    const char16_t* shownClass;
  };
  const Case cases[] = {
      {u"", u"", u"", u""},
      {u"0", u"0", u"表(0)", u"従(0)"},
      {u"1", u"1", u"裏(1)", u"準(1)"},
      {u"0", u"2", u"表(0)", u"主(2)"},
      {u"3", u"表(0)", u"3", u"表(0)"},
  };
  Design d;
  d.PartCount = 1;
  d.PartTable.set(1, kPartRef, u"U3");
  d.PartTable.set(1, kPartSymbol, u"QFP44");
  d.PartTable.set(1, kPartX, u"12.5");
  d.PartTable.set(1, kPartY, u"-4");
  d.PartTable.set(1, kPartMain, u"*U3");
  d.PartTable.set(1, kPartGroup, u"A");
  d.PartTable.set(1, kPartLevel, u"0");
  for (const Case& c : cases) {
    d.PartTable.set(1, kPartSide, c.side);
    d.PartTable.set(1, kPartClass, c.cls);
    const PartViewRow expected{u"U3",        u"QFP44", u"12.5", u"-4", c.shownSide,
                               c.shownClass, u"*U3",   u"A",    u"0"};
    EXPECT_EQ(PartViewCells(d, 1), expected);
  }
  EXPECT_EQ(PartViewRows(d).size(), 1U);
  d.PartCount = 0;
  EXPECT_TRUE(PartViewRows(d).empty());
}

// Component values sort by what they stand for; texts that are no value stay text.
TEST(ComponentValueNumber, ReadsEngineeringPrefixesAndLeavesPartNumbersAsText) {
  const struct {
    const char16_t* value;
    std::optional<double> number;
  } cases[] = {
      {u"100", 100},      {u"10nF", 10e-9}, {u"100nF", 100e-9}, {u"1uF", 1e-6},
      {u"1µF", 1e-6},     {u"4k7", 4700},   {u"4K7", 4700},     {u"10k", 1e4},
      {u"2.2uH", 2.2e-6}, {u"4R7", 4.7},    {u"R47", 0.47},     {u"0R", 0},
      {u"1M", 1e6},       {u"1m", 1e-3},    {u"22p", 22e-12},   {u"10uF/50V", 10e-6},
      {u" 47k 1%", 47e3}, {u"1N4148", {}},  {u"BAT54", {}},     {u"", {}},
      {u"k", {}},         {u"DNP", {}},     {u"LM358", {}},     {u".5", 0.5},
  };
  for (const auto& c : cases) {
    const auto number = ComponentValueNumber(c.value);
    ASSERT_EQ(number.has_value(), c.number.has_value()) << ToUtf8(c.value);
    if (number) {
      EXPECT_NEAR(*number, *c.number, std::abs(*c.number) * 1e-12) << ToUtf8(c.value);
    }
  }
}

}  // namespace
}  // namespace pcbprep
