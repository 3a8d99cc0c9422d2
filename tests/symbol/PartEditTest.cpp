#include <gtest/gtest.h>

#include <vector>

#include "design/TestDesign.h"
#include "symbol/PartEdit.h"

namespace pcbprep {
namespace {

using testing::AddPart;

TEST(RememberSymbolName, NewestFirstWithoutRepeatsAtMostTen) {
  PartEditHelpers h;
  for (const char16_t* name : {u"A", u"B", u"A"}) RememberSymbolName(h, name);
  EXPECT_EQ(h.symbolHistory, (std::vector<Text>{u"A", u"B"}));
  EXPECT_EQ(h.symbolHistorySelected, 0);

  for (int i = 1; i <= 11; ++i) RememberSymbolName(h, u"S" + IntText(i));
  ASSERT_EQ(h.symbolHistory.size(), 10u);
  EXPECT_EQ(h.symbolHistory.front(), u"S11");
  EXPECT_EQ(h.symbolHistory.back(), u"S2");

  // An older name moves to the top instead of standing twice.
  RememberSymbolName(h, u"S5");
  EXPECT_EQ(h.symbolHistory.size(), 10u);
  EXPECT_EQ(h.symbolHistory[0], u"S5");
  EXPECT_EQ(h.symbolHistory[1], u"S11");
  EXPECT_EQ(std::count(h.symbolHistory.begin(), h.symbolHistory.end(), u"S5"), 1);
}

// A design of three parts shown in the list, as symbol assignment leaves it.
struct PartEditFixture : ::testing::Test {
  Design d;
  ListBoxState list1;
  PartEditHelpers helpers;

  void SetUp() override {
    AddPart(d, u"C1", {.symbol = u"C1608"});
    AddPart(d, u"U3");
    AddPart(d, u"R1", {.symbol = u"R1608"});
    for (int i = 1; i <= 3; ++i) d.PartTable.set(i, kPartSide, u"0");
    RefreshPartList(d, list1, -1);
  }

  static EditPanel Panel(TextView reference, TextView cls, TextView main = u"") {
    EditPanel p;
    p.reference = reference;
    p.symbol = u"QFP44";
    p.x = u"10";
    p.y = u"20";
    p.side = u"裏(1)";
    p.partClass = cls;
    p.mainPart = main;
    p.group = u"G";
    return p;
  }
};

TEST_F(PartEditFixture, ExistingPartBecomesAnchorOnce) {
  EditPanel panel = Panel(u"U3", u"主(2)", u"IGNORED");
  PartEditResult r = ApplyPartEdit(d, panel, helpers, list1);

  EXPECT_EQ(r.outcome, PartEditOutcome::Updated);
  EXPECT_EQ(r.row, 2);
  EXPECT_EQ(d.PartCount, 3);
  EXPECT_EQ(d.PartTable.at(2, kPartSymbol), u"QFP44");
  EXPECT_EQ(d.PartTable.at(2, kPartX), u"10");
  EXPECT_EQ(d.PartTable.at(2, kPartY), u"20");
  EXPECT_EQ(d.PartTable.at(2, kPartSide), u"1");
  EXPECT_EQ(d.PartTable.at(2, kPartClass), u"2");
  EXPECT_EQ(d.PartTable.at(2, kPartMain), u"*U3");
  EXPECT_EQ(d.PartTable.at(2, kPartLevel), u"0");
  EXPECT_EQ(d.PartTable.at(2, kPartGroup), u"G");
  EXPECT_EQ(helpers.mainPartChoices, (std::vector<Text>{u"U3"}));
  EXPECT_EQ(helpers.lastMainPart, u"*U3");
  EXPECT_EQ(helpers.lastGroup, u"G");
  EXPECT_EQ(helpers.lastSymbol, u"QFP44");
  EXPECT_EQ(helpers.symbolHistory, (std::vector<Text>{u"QFP44"}));
  ASSERT_EQ(list1.items.size(), 3u);
  EXPECT_EQ(list1.items[1], PartListLine(d, 2));
  EXPECT_EQ(list1.selectedIndex, 1);
  EXPECT_EQ(r.undefinedCount, 0);

  r = ApplyPartEdit(d, panel, helpers, list1);
  EXPECT_EQ(helpers.mainPartChoices, (std::vector<Text>{u"U3"}));
}

TEST_F(PartEditFixture, ExistingPartBackToSubLeavesTheChooser) {
  helpers.mainPartChoices = {u"U1", u"U3", u"U3"};
  EditPanel panel = Panel(u"U3", u"従(0)", u"U1");
  ApplyPartEdit(d, panel, helpers, list1);

  EXPECT_EQ(d.PartTable.at(2, kPartClass), u"0");
  EXPECT_EQ(d.PartTable.at(2, kPartMain), u"U1");
  EXPECT_EQ(d.PartTable.at(2, kPartLevel), u"1");
  EXPECT_EQ(helpers.mainPartChoices, (std::vector<Text>{u"U1", u"U3"}));  // the first U3 only
  EXPECT_EQ(helpers.lastMainPart, u"U1");
}

TEST_F(PartEditFixture, EmptyValuesKeepTheCaptionsAndUnknownCodesAreCleared) {
  EditPanel panel = Panel(u"C1", u"2");
  panel.symbol.clear();
  panel.side = u"1";
  panel.group.clear();
  const PartEditResult r = ApplyPartEdit(d, panel, helpers, list1);

  EXPECT_EQ(panel.side, u"");
  EXPECT_EQ(panel.partClass, u"");
  EXPECT_EQ(d.PartTable.at(1, kPartSide), u"");
  EXPECT_EQ(d.PartTable.at(1, kPartClass), u"");
  EXPECT_EQ(d.PartTable.at(1, kPartMain), u"");
  EXPECT_EQ(d.PartTable.at(1, kPartLevel), u"1");
  EXPECT_EQ(helpers.lastSymbol, u"前の入力");
  EXPECT_EQ(helpers.lastMainPart, u"前入力");
  EXPECT_EQ(helpers.lastGroup, u"前");
  EXPECT_TRUE(helpers.symbolHistory.empty());
  EXPECT_EQ(r.undefinedCount, 2);  // C1 now, and U3
}

TEST_F(PartEditFixture, UnknownReferenceIsAppendedByClass) {
  const struct {
    TextView cls;
    TextView storedClass;
    TextView storedMain;
  } cases[] = {
      {u"準(1)", u"1", u""},
      {u"主(2)", u"2", u"U1"},
      {u"従(0)", u"0", u"U1"},
      {u"", u"", u"U1"},
  };
  for (const auto& c : cases) {
    d.clearParts();
    AddPart(d, u"C1", {.symbol = u"C1608"});
    RefreshPartList(d, list1, -1);
    helpers = PartEditHelpers{};
    EditPanel panel = Panel(u"R99", c.cls, u"U1");

    const PartEditResult r = ApplyPartEdit(d, panel, helpers, list1);

    EXPECT_EQ(r.outcome, PartEditOutcome::Added);
    EXPECT_EQ(r.row, 2);
    EXPECT_EQ(d.PartCount, 2);
    EXPECT_EQ(d.PartTable.at(2, kPartRef), u"R99");
    EXPECT_EQ(d.PartTable.at(2, kPartSide), u"1");
    EXPECT_EQ(d.PartTable.at(2, kPartClass), c.storedClass);
    EXPECT_EQ(d.PartTable.at(2, kPartMain), c.storedMain);
    EXPECT_EQ(d.PartTable.at(2, kPartLevel), u"");
    EXPECT_EQ(d.PartTable.at(2, kPartGroup), u"G");
    ASSERT_EQ(list1.items.size(), 2u);
    EXPECT_EQ(list1.items[1], PartListLine(d, 2));
    EXPECT_EQ(list1.selectedIndex, 1);
    // Only an existing part maintains the chooser and the two captions.
    EXPECT_TRUE(helpers.mainPartChoices.empty());
    EXPECT_EQ(helpers.lastMainPart, u"前入力");
    EXPECT_EQ(helpers.lastGroup, u"前");
    EXPECT_EQ(helpers.lastSymbol, u"QFP44");
  }
}

TEST_F(PartEditFixture, ApplyingTwiceUpdatesTheNewPart) {
  EditPanel panel = Panel(u"", u"従(0)");
  ApplyPartEdit(d, panel, helpers, list1);
  const PartEditResult r = ApplyPartEdit(d, panel, helpers, list1);
  EXPECT_EQ(r.outcome, PartEditOutcome::Updated);
  EXPECT_EQ(r.row, 4);
  EXPECT_EQ(d.PartCount, 4);
  EXPECT_EQ(list1.items.size(), 4u);
  EXPECT_EQ(d.PartTable.at(4, kPartLevel), u"1");
}

TEST_F(PartEditFixture, FullTableTakesNoNewPart) {
  for (int i = 4; i <= kMaxParts; ++i) AddPart(d, u"P" + IntText(i), {.symbol = u"S"});
  RefreshPartList(d, list1, -1);
  EditPanel panel = Panel(u"NEW1", u"従(0)");

  const PartEditResult r = ApplyPartEdit(d, panel, helpers, list1);

  EXPECT_EQ(r.outcome, PartEditOutcome::TableFull);
  EXPECT_EQ(d.PartCount, kMaxParts);
  EXPECT_EQ(list1.items.size(), static_cast<std::size_t>(kMaxParts));
  EXPECT_TRUE(helpers.symbolHistory.empty());
  EXPECT_EQ(helpers.lastSymbol, u"前の入力");
  EXPECT_NE(PartTableFullMessage(u"NEW1").find(u"NEW1"), Text::npos);

  // An existing part is still edited.
  panel.reference = u"P1000";
  EXPECT_EQ(ApplyPartEdit(d, panel, helpers, list1).outcome, PartEditOutcome::Updated);
}

TEST_F(PartEditFixture, ListOutOfStepIsRebuiltNotCountedTwice) {
  list1.items.clear();  // the list shows no parts while the table holds three
  EditPanel panel = Panel(u"R50", u"従(0)");
  ApplyPartEdit(d, panel, helpers, list1);
  EXPECT_EQ(d.PartCount, 4);
  EXPECT_EQ(list1.items.size(), 4u);
  EXPECT_EQ(list1.selectedIndex, 3);
}

}  // namespace
}  // namespace pcbprep
