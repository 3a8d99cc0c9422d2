#include "symbol/PartTableView.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace pcbprep
