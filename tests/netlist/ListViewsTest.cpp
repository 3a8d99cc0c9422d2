#include <gtest/gtest.h>

#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"

namespace pcbprep {
namespace {

void SetPart(Design& d, int row, std::initializer_list<std::pair<int, const char16_t*>> cells) {
  for (const auto& [column, value] : cells) d.PartTable.set(row, column, value);
}

TEST(NetLists, LayoutsOfList3AndList2) {
  Design d;
  ASSERT_TRUE(
      LoadNetlistText(d, u"GND[U1-7\r\nC1-2]\r\nVERYLONGNETNAME[R1-1]\r\n電源[U2-1]\r\n").ok());
  EXPECT_EQ(NetListItems(d),
            (std::vector<Text>{u"GND           2", u"VERYLONGNETNAME  1", u"電源            1"}));
  EXPECT_EQ(
      NetPinListItems(d),
      (std::vector<Text>{u"GND", u"        U1-7", u"        C1-2", u"        ", u"VERYLONGNETNAME",
                         u"        R1-1", u"        ", u"電源", u"        U2-1", u"        "}));
}

TEST(NetLists, List2ShowsColumnsTwoToCountPlusTwo) {
  Text fullNet = u"FULL[U0-1\r\n";
  for (int i = 1; i <= 397; ++i) fullNet += u"U" + IntText(i) + u"-1\r\n";
  fullNet += u"X-1]\r\n";
  const Text indent(8, u' ');
  const struct {
    const char* what;
    Text netlist;
    std::size_t size;
    std::vector<Text> tail;  // the last items
  } cases[] = {
      // A full net of 399 pins still ends with the empty item after its last pin.
      {"399 pins", fullNet, 1 + 399 + 1, {u"        U397-1", u"        X-1", indent}},
      // A closing line outside any net makes a net of count -1: its name, no pin items.
      {"count -1", u"A[U1-1]\r\nU2-1]\r\n", 4, {u"A", u"        U1-1", indent, u"U2-1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Design d;
    ASSERT_TRUE(LoadNetlistText(d, c.netlist).ok());
    const std::vector<Text> items = NetPinListItems(d);
    EXPECT_EQ(items.size(), c.size);
    if (items.size() < c.tail.size()) continue;
    EXPECT_EQ(
        std::vector<Text>(items.end() - static_cast<std::ptrdiff_t>(c.tail.size()), items.end()),
        c.tail);
  }
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
  EXPECT_EQ(p.Text11, u"U3");
  EXPECT_EQ(p.SYNNAME, u"QFP");
  EXPECT_EQ(p.Text20, u"5");
  EXPECT_EQ(p.Text21, u"6");
  EXPECT_EQ(p.Text17, u"裏(1)");
  EXPECT_EQ(p.Text23, u"主(2)");
  EXPECT_EQ(p.Text2, u"*U3");
  EXPECT_EQ(p.Text12, u"B");

  const EditPanel bad = FillEditPanel(d, 2);
  EXPECT_EQ(bad.Text17, u"");
  EXPECT_EQ(bad.Text23, u"");
  EXPECT_EQ(d.PartTable.at(2, kPartSide), u"");
  EXPECT_EQ(d.PartTable.at(2, kPartClass), u"");

  const struct {
    const char16_t* code;
    const char16_t* side;
    const char16_t* cls;
  } codes[] = {{u"", u"", u""}, {u"0", u"表(0)", u"従(0)"}, {u"1", u"裏(1)", u"準(1)"}};
  for (const auto& c : codes) {
    EXPECT_EQ(SideShown(c.code), Text(c.side));
    EXPECT_EQ(ClassShown(c.code), Text(c.cls));
  }
  EXPECT_EQ(ClassShown(u"2"), Text(u"主(2)"));
  EXPECT_FALSE(SideShown(u"2").has_value());
  EXPECT_FALSE(ClassShown(u" 1").has_value());
}

TEST(AddSkipNet, FillsTheLowestEmptyBoxOnce) {
  std::array<Text, 10> boxes{u"BIG", u"", u"", u"", u"VCC", u"", u"", u"", u"", u"GND"};
  EXPECT_EQ(AddSkipNet(boxes, u"CLK"), 1);
  EXPECT_EQ(boxes[1], u"CLK");
  EXPECT_EQ(AddSkipNet(boxes, u"VCC"), -1);
  EXPECT_EQ(AddSkipNet(boxes, u"CLK"), -1);
  std::array<Text, 10> full;
  full.fill(u"X");
  EXPECT_EQ(AddSkipNet(full, u"Y"), -1);
  EXPECT_EQ(full[0], u"X");
}

TEST(FindInRawText, IgnoresCaseAndWrapsOnce) {
  const Text text = u"net Gnd\r\nGND[U1-1]\r\nｇｎｄ";
  EXPECT_EQ(FindInRawText(text, u"gnd", 0), 4u);
  EXPECT_EQ(FindInRawText(text, u"gnd", 7), 9u);
  EXPECT_EQ(FindInRawText(text, u"gnd", 12), 4u);  // wraps to the first
  EXPECT_EQ(FindInRawText(text, u"ＧＮＤ", 0), text.size() - 3);
  EXPECT_EQ(FindInRawText(text, u"u1-", 0), 13u);
  EXPECT_FALSE(FindInRawText(text, u"VCC", 0).has_value());
  EXPECT_FALSE(FindInRawText(text, u"", 0).has_value());
  EXPECT_EQ(FindInRawText(u"once", u"ONCE", 4), 0u);
}

}  // namespace
}  // namespace pcbprep
