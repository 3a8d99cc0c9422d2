#include <gtest/gtest.h>

#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"

namespace pcbprep {
namespace {

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
