#include "placement/MainParts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "design/TestDesign.h"

namespace pcbprep {
namespace {

using testing::AddNet;
using testing::AddPart;
using testing::FindPart;

// The boxes as the window starts: VCC in element 4, GND in element 9, the rest empty.
const IgnoreNetList kWindowStart{u"", u"", u"", u"", u"VCC", u"", u"", u"", u"", u"GND"};
const IgnoreNetList kNoEmptyBox{u"VCC", u"GND", u"-", u"-", u"-", u"-", u"-", u"-", u"-", u"-"};

struct NetSpec {
  Text name;
  std::vector<Text> tokens;
};

struct Expected {
  Text reference;
  Text main;
  Text level;
};

struct Case {
  const char* what;
  std::vector<std::pair<Text, Text>> parts;  // reference, class
  std::vector<NetSpec> nets;
  IgnoreNetList ignore;
  std::vector<Expected> expected;
};

Design Build(const Case& c) {
  Design d;
  for (const auto& [reference, partClass] : c.parts)
    AddPart(d, reference, {.partClass = partClass});
  for (const auto& net : c.nets) {
    const int n = AddNet(d, net.name, {});
    d.NetTable.set(n, 1, IntText(static_cast<long long>(net.tokens.size())));
    for (std::size_t k = 0; k < net.tokens.size(); ++k) {
      d.NetTable.set(n, static_cast<int>(k) + 2, net.tokens[k]);
    }
  }
  return d;
}

TEST(AssignMainParts, AttachesEachPartToTheNearestAnchorInTheOrderOfThePhases) {
  const std::vector<Case> cases = {
      {"a chain counts the net steps",
       {{u"U1", u"2"}, {u"R1", u"0"}, {u"R2", u"0"}},
       {{u"A", {u"U1-1", u"R1-1"}}, {u"B", {u"R1-2", u"R2-1"}}},
       kWindowStart,
       {{u"U1", u"*U1", u"0"}, {u"R1", u"U1", u"1"}, {u"R2", u"U1", u"2"}}},
      {"the first main part in the table wins a shared net",
       {{u"U1", u"2"}, {u"U2", u"2"}, {u"R1", u"0"}},
       {{u"N1", {u"R1-1", u"U2-3", u"U1-5"}}},
       kWindowStart,
       {{u"U1", u"*U1", u"0"}, {u"U2", u"*U2", u"0"}, {u"R1", u"U1", u"1"}}},
      {"main parts take their direct neighbours before semi parts",
       {{u"CN1", u"1"}, {u"R1", u"0"}, {u"U1", u"2"}},
       {{u"N1", {u"CN1-1", u"R1-1", u"U1-1"}}},
       kWindowStart,
       {{u"CN1", u"*CN1", u"0"}, {u"R1", u"U1", u"1"}, {u"U1", u"*U1", u"0"}}},
      {"a semi part takes its neighbours before any spreading, they spread after",
       {{u"U1", u"2"}, {u"R1", u"0"}, {u"R2", u"0"}, {u"CN1", u"1"}, {u"R3", u"0"}},
       {{u"A", {u"U1-1", u"R1-1"}},
        {u"B", {u"R1-2", u"R2-1"}},
        {u"C", {u"CN1-1", u"R2-2"}},
        {u"D", {u"R2-3", u"R3-1"}}},
       kWindowStart,
       {{u"R1", u"U1", u"1"},
        {u"R2", u"CN1", u"1"},
        {u"R3", u"CN1", u"2"},
        {u"CN1", u"*CN1", u"0"}}},
      {"spreading from main parts ends before semi parts spread",
       {{u"U1", u"2"}, {u"CN1", u"1"}, {u"R1", u"0"}, {u"R2", u"0"}, {u"R3", u"0"}},
       {{u"A", {u"U1-1", u"R1-1"}},
        {u"B", {u"R1-2", u"R3-1"}},
        {u"C", {u"CN1-1", u"R2-1"}},
        {u"D", {u"R2-2", u"R3-2"}}},
       kWindowStart,
       {{u"R1", u"U1", u"1"}, {u"R3", u"U1", u"2"}, {u"R2", u"CN1", u"1"}}},
      {"an unclassified neighbour of a semi part keeps level 0 and does not spread",
       {{u"CN1", u"1"}, {u"X1", u""}, {u"R1", u"0"}},
       {{u"A", {u"CN1-1", u"X1-1"}}, {u"B", {u"X1-2", u"R1-1"}}},
       kWindowStart,
       {{u"X1", u"CN1", u"0"}, {u"R1", u"", u""}}},
      {"parts reached only through ignored nets stay unattached",
       {{u"U1", u"2"}, {u"C1", u"0"}, {u"R1", u"0"}},
       {{u"VCC", {u"U1-14", u"C1-1"}}, {u"GND", {u"U1-7", u"C1-2"}}, {u"S", {u"U1-1", u"R1-1"}}},
       kWindowStart,
       {{u"C1", u"", u""}, {u"R1", u"U1", u"1"}}},
      {"names are compared case-sensitively",
       {{u"U1", u"2"}, {u"C1", u"0"}},
       {{u"VCC", {u"U1-14", u"C1-1"}}, {u"GND", {u"U1-7", u"C1-2"}}},
       {u"", u"", u"", u"", u"VCC", u"", u"", u"", u"", u"gnd"},
       {{u"C1", u"U1", u"1"}}},
      {"a net without a name is ignored while a box is empty",
       {{u"U1", u"2"}, {u"R1", u"0"}},
       {{u"", {u"U1-1", u"R1-1"}}},
       kWindowStart,
       {{u"R1", u"", u""}}},
      {"a net without a name is followed when no box is empty",
       {{u"U1", u"2"}, {u"R1", u"0"}},
       {{u"", {u"U1-1", u"R1-1"}}},
       kNoEmptyBox,
       {{u"R1", u"U1", u"1"}}},
      {"a token without a dash is a reference in full, only the first dash counts",
       {{u"U1", u"2"}, {u"R1", u"0"}, {u"R2", u"0"}},
       {{u"A", {u"U1", u"R1-1-2"}}, {u"B", {u"R1-2", u"R2"}}},
       kWindowStart,
       {{u"R1", u"U1", u"1"}, {u"R2", u"U1", u"2"}}},
      {"a main part on no followed net attaches nothing",
       {{u"U1", u"2"}, {u"R1", u"0"}},
       {{u"GND", {u"U1-7", u"R1-1"}}},
       kWindowStart,
       {{u"U1", u"*U1", u"0"}, {u"R1", u"", u""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Design d = Build(c);
    AssignMainParts(d, c.ignore);
    for (const Expected& e : c.expected) {
      SCOPED_TRACE(ToUtf8(e.reference));
      const int row = FindPart(d, e.reference);
      ASSERT_GT(row, 0);
      EXPECT_EQ(d.PartTable.at(row, kPartMain), e.main);
      EXPECT_EQ(d.PartTable.at(row, kPartLevel), e.level);
    }
  }
}

TEST(AssignMainParts, KeepsExistingNamesAndRecomputesEveryLevel) {
  Design d;
  AddPart(d, u"U1", {.partClass = kClassMain});
  AddPart(d, u"R1", {.partClass = kClassSub});
  AddPart(d, u"R2", {.partClass = kClassSub});
  AddPart(d, u"R3", {.partClass = kClassSub});
  AddPart(d, u"R4", {.partClass = kClassSub});
  AddPart(d, u"R5", {.partClass = kClassSub});
  AddNet(d, u"A", {u"U1-1", u"R1-1", u"R4-1", u"R5-1"});
  AddNet(d, u"B", {u"R1-2", u"R2-1"});
  AddNet(d, u"C", {u"R2-2", u"R3-1"});
  d.PartTable.set(6, kPartMain, u"U9");    // typed by the designer
  d.PartTable.set(500, kPartLevel, u"7");  // past the part count, cleared all the same

  AssignMainParts(d, kWindowStart);
  EXPECT_EQ(d.PartTable.at(6, kPartMain), u"U9");
  EXPECT_EQ(d.PartTable.at(6, kPartLevel), u"");
  EXPECT_EQ(d.PartTable.at(4, kPartLevel), u"3");  // R3
  EXPECT_EQ(d.PartTable.at(500, kPartLevel), u"");

  // The designer takes R3 and R4 off; a second run gives R4 back to U1 at level 1, but
  // R3 is only reachable through R2, which keeps its name and so has no level to
  // spread from.
  d.PartTable.set(4, kPartMain, u"");
  d.PartTable.set(5, kPartMain, u"");
  AssignMainParts(d, kWindowStart);
  const std::vector<Expected> second = {{u"U1", u"*U1", u"0"}, {u"R1", u"U1", u""},
                                        {u"R2", u"U1", u""},   {u"R3", u"", u""},
                                        {u"R4", u"U1", u"1"},  {u"R5", u"U9", u""}};
  for (const Expected& e : second) {
    const int row = FindPart(d, e.reference);
    EXPECT_EQ(d.PartTable.at(row, kPartMain), e.main) << ToUtf8(e.reference);
    EXPECT_EQ(d.PartTable.at(row, kPartLevel), e.level) << ToUtf8(e.reference);
  }
}

TEST(ClearMainParts, EmptiesNameAndLevelOfTheListedPartsOnly) {
  Design d;
  AddPart(d, u"U1", {.partClass = kClassMain});
  AddPart(d, u"R1", {.partClass = kClassSub});
  for (int row : {1, 2, 3}) {
    d.PartTable.set(row, kPartMain, u"U1");
    d.PartTable.set(row, kPartLevel, u"1");
    d.PartTable.set(row, kPartGroup, u"4");
  }
  ClearMainParts(d);
  for (int row : {1, 2}) {
    EXPECT_EQ(d.PartTable.at(row, kPartMain), u"");
    EXPECT_EQ(d.PartTable.at(row, kPartLevel), u"");
    EXPECT_EQ(d.PartTable.at(row, kPartGroup), u"4");
  }
  EXPECT_EQ(d.PartTable.at(3, kPartMain), u"U1");
}

// The assignment written the plain way, one step after the other with a scan of the
// part table for every pin slot. The indexed implementation must agree with it on
// any table.
void PlainAssign(Design& d, const IgnoreNetList& ignore) {
  auto partOf = [](const Text& token) { return token.substr(0, token.find(u'-')); };
  auto followed = [&](int n) {
    return std::find(ignore.begin(), ignore.end(), d.NetTable.at(n, 0)) == ignore.end();
  };
  auto onNet = [&](int n, const Text& reference) {
    for (int s = 2; s <= d.pinCount(n) + 1; ++s) {
      if (partOf(d.NetTable.at(n, s)) == reference) return true;
    }
    return false;
  };
  auto take = [&](int n, const Text& name, const Text& level) {
    bool any = false;
    for (int s = 2; s <= d.pinCount(n) + 1; ++s) {
      for (int j = 1; j <= d.PartCount; ++j) {
        if (d.PartTable.at(j, kPartMain).empty() &&
            d.PartTable.at(j, kPartRef) == partOf(d.NetTable.at(n, s))) {
          d.PartTable.set(j, kPartMain, name);
          d.PartTable.set(j, kPartLevel, level);
          any = true;
        }
      }
    }
    return any;
  };
  std::vector<Text> claim(kMaxNets + 1);
  for (int row = 0; row <= kMaxParts; ++row) d.PartTable.set(row, kPartLevel, u"");
  bool attached = false;
  for (const auto& [partClass, level] : {std::pair<Text, Text>{u"2", u"1"}, {u"1", u"0"}}) {
    for (int c = 1; c <= d.PartCount; ++c) {
      if (d.PartTable.at(c, kPartClass) != partClass) continue;
      const Text reference = d.PartTable.at(c, kPartRef);
      d.PartTable.set(c, kPartMain, u"*" + reference);
      d.PartTable.set(c, kPartLevel, u"0");
      for (int n = 1; n <= d.NetCount; ++n) {
        if (!followed(n) || !onNet(n, reference)) continue;
        claim[static_cast<std::size_t>(n)] = reference;
        attached = take(n, reference, level) || attached;
      }
    }
  }
  auto passes = [&] {
    for (int level = 1;; ++level) {
      bool any = false;
      for (int i = 1; i <= d.PartCount; ++i) {
        if (d.PartTable.at(i, kPartLevel) != IntText(level)) continue;
        for (int n = 1; n <= d.NetCount; ++n) {
          if (!followed(n) || !claim[static_cast<std::size_t>(n)].empty()) continue;
          if (!onNet(n, d.PartTable.at(i, kPartRef))) continue;
          const Text name = d.PartTable.at(i, kPartMain);
          claim[static_cast<std::size_t>(n)] = name;
          any = take(n, name, IntText(level + 1)) || any;
        }
      }
      if (!any) return;
    }
  };
  if (attached) passes();
  bool promoted = false;
  for (int i = 1; i <= d.PartCount; ++i) {
    if (d.PartTable.at(i, kPartClass) == u"0" && d.PartTable.at(i, kPartLevel) == u"0") {
      d.PartTable.set(i, kPartLevel, u"1");
      promoted = true;
    }
  }
  if (promoted) passes();
}

// A random board: a few anchors, duplicated and unknown references, unclassified
// parts, names typed beforehand, unnamed and ignored nets.
Design RandomDesign(std::mt19937& random, int parts, int nets) {
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const Text classes[] = {u"2", u"1", u"0", u"0", u"0", u"0", u"0", u""};
  const Text netNames[] = {u"VCC", u"GND", u"", u"N"};
  Design d;
  for (int i = 0; i < parts; ++i) {
    const Text reference = u"P" + IntText(pick(parts + 3));
    const int row = AddPart(d, reference, {.partClass = classes[pick(8)]});
    if (pick(10) == 0) d.PartTable.set(row, kPartMain, u"Q" + IntText(pick(5)));
  }
  for (int n = 0; n < nets; ++n) {
    Text name = netNames[pick(4)];
    if (name == u"N") name += IntText(n);
    const int net = AddNet(d, name, {});
    const int pins = 1 + pick(5);
    d.NetTable.set(net, 1, IntText(pins));
    for (int s = 0; s < pins; ++s) {
      const Text token = u"P" + IntText(pick(parts + 3)) + (pick(6) == 0 ? u"" : u"-1");
      d.NetTable.set(net, s + 2, token);
    }
  }
  return d;
}

TEST(AssignMainParts, AgreesWithThePlainStepsOnRandomBoards) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    const int parts = 5 + static_cast<int>(random() % 40);
    Design expected = RandomDesign(random, parts, 5 + static_cast<int>(random() % 40));
    Design actual = expected;
    const IgnoreNetList& ignore = round % 2 == 0 ? kWindowStart : kNoEmptyBox;
    PlainAssign(expected, ignore);
    AssignMainParts(actual, ignore);
    for (int i = 0; i <= parts; ++i) {
      ASSERT_EQ(actual.PartTable.at(i, kPartMain), expected.PartTable.at(i, kPartMain)) << i;
      ASSERT_EQ(actual.PartTable.at(i, kPartLevel), expected.PartTable.at(i, kPartLevel)) << i;
    }
  }
}

}  // namespace
}  // namespace pcbprep
