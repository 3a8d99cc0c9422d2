#include <gtest/gtest.h>

#include "symbol/PartList.h"

namespace pcbprep {
namespace {

void SetPart(Design& d, int row, std::initializer_list<std::pair<int, const char16_t*>> cells) {
  for (const auto& [column, value] : cells) d.PartTable.set(row, column, value);
}

TEST(PartListLine, FieldsAreWidenedByOneSpaceAndNeverCut) {
  Design d;
  SetPart(d, 1,
          {{kPartRef, u"R12"},
           {kPartSymbol, u"R1608"},
           {kPartX, u"10"},
           {kPartY, u"20"},
           {kPartSide, u"0"},
           {kPartClass, u"0"},
           {kPartMain, u"U1"},
           {kPartLevel, u"1"},
           {kPartGroup, u"A"}});
  EXPECT_EQ(PartListLine(d, 1), u"R12    R1608        10   20   0   0 U1     1   A  ");
  EXPECT_EQ(PartListLine(d, 1).size(), 50u);

  SetPart(d, 2, {{kPartRef, u"C1"}});
  EXPECT_EQ(PartListLine(d, 2), u"C1" + Text(48, u' '));

  // Columns 4 and 9 are never shown; a 7-character reference pushes the rest right.
  SetPart(d, 3, {{kPartRef, u"LED1234"}, {kPartSymbol, u"X"}, {4, u"hidden"}, {9, u"hidden"}});
  const Text line = PartListLine(d, 3);
  EXPECT_EQ(line.substr(0, 10), u"LED1234 X ");
  EXPECT_EQ(line.size(), 51u);
  EXPECT_EQ(line.find(u"hidden"), Text::npos);
}

TEST(RefreshPartList, RebuildAppendAndReplace) {
  Design d;
  for (int i = 1; i <= 10; ++i) d.PartTable.set(i, kPartRef, u"P" + IntText(i));
  d.PartCount = 10;
  ListBoxState list;
  RefreshPartList(d, list, -1);
  ASSERT_EQ(list.items.size(), 10u);
  EXPECT_EQ(list.items[4].substr(0, 3), u"P5 ");

  d.PartTable.set(5, kPartSymbol, u"NEW");
  RefreshPartList(d, list, 5);
  EXPECT_EQ(list.items.size(), 10u);
  EXPECT_EQ(list.items[4], PartListLine(d, 5));
  EXPECT_EQ(list.selectedIndex, 4);
  EXPECT_EQ(d.PartCount, 10);

  d.PartTable.set(11, kPartRef, u"R99");
  RefreshPartList(d, list, 11);
  EXPECT_EQ(list.items.size(), 11u);
  EXPECT_EQ(list.items.back().substr(0, 4), u"R99 ");
  EXPECT_EQ(list.selectedIndex, 10);
  EXPECT_EQ(d.PartCount, 11);
}

TEST(FillEditPanel, ShowsCodedCellsAndEmptiesUnknownCodes) {
  Design d;
  SetPart(d, 1,
          {{kPartRef, u"U3"},
           {kPartSymbol, u"QFP"},
           {kPartX, u"5"},
           {kPartY, u"6"},
           {kPartSide, u"1"},
           {kPartClass, u"2"},
           {kPartMain, u"*U3"},
           {kPartGroup, u"B"}});
  SetPart(d, 2, {{kPartRef, u"R1"}, {kPartSide, u"3"}, {kPartClass, u"x"}});
  const EditPanel p = FillEditPanel(d, 1);
  EXPECT_EQ(p.reference, u"U3");
  EXPECT_EQ(p.symbol, u"QFP");
  EXPECT_EQ(p.x, u"5");
  EXPECT_EQ(p.y, u"6");
  EXPECT_EQ(p.side, u"裏(1)");
  EXPECT_EQ(p.partClass, u"主(2)");
  EXPECT_EQ(p.mainPart, u"*U3");
  EXPECT_EQ(p.group, u"B");

  const EditPanel bad = FillEditPanel(d, 2);
  EXPECT_EQ(bad.side, u"");
  EXPECT_EQ(bad.partClass, u"");
  EXPECT_EQ(d.PartTable.at(2, kPartSide), u"");
  EXPECT_EQ(d.PartTable.at(2, kPartClass), u"");
}

}  // namespace
}  // namespace pcbprep
