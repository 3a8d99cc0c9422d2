#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "design/Numeric.h"
#include "design/TestDesign.h"
#include "symbol/ExchangeSortAsStated.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {
namespace {

using testing::AddNet;
using testing::AddPart;

std::vector<Text> SortedReferences(const std::vector<Text>& input) {
  Design d;
  for (const Text& reference : input) AddPart(d, reference);
  SortPartReferences(d);
  std::vector<Text> out;
  for (int i = 1; i <= d.PartCount; ++i) out.push_back(d.PartTable.at(i, kPartRef));
  return out;
}

TEST(SortPartReferences, TextOrderCorrectedAfterTheCommonBeginning) {
  const struct {
    std::vector<Text> input;
    std::vector<Text> sorted;
  } cases[] = {
      {{u"C10", u"C2", u"C1"}, {u"C1", u"C2", u"C10"}},
      {{u"R100", u"R9", u"R10"}, {u"R9", u"R10", u"R100"}},
      // Only the digits after the common "C1" are compared: 5 against 9.
      {{u"C19", u"C105"}, {u"C105", u"C19"}},
      {{u"C105", u"C19"}, {u"C105", u"C19"}},
      {{u"C2", u"C19", u"C105"}, {u"C2", u"C105", u"C19"}},
      {{u"C105", u"C19", u"C2"}, {u"C2", u"C105", u"C19"}},
      // A1 reads as 0, so the text order stays.
      {{u"RA1", u"R1"}, {u"R1", u"RA1"}},
      {{u"U1B", u"U1A"}, {u"U1A", u"U1B"}},
      {{u"C2", u"CN1", u"C10"}, {u"C2", u"C10", u"CN1"}},
      // Different first letters: text order only.
      {{u"U2", u"R10", u"C3"}, {u"C3", u"R10", u"U2"}},
      // Identical first four characters: text order only.
      {{u"ABCD9", u"ABCD10"}, {u"ABCD10", u"ABCD9"}},
      {{u"IC10", u"IC9"}, {u"IC9", u"IC10"}},
      {{u"", u"C1"}, {u"", u"C1"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SortedReferences(c.input), c.sorted) << ToUtf8(c.input[0]);
  }
}

TEST(SortPartReferences, SameOrderAsTheRuleStepByStep) {
  // Few characters, so that references share beginnings of every length; the code
  // units 0 and FFFF are the extremes of the character order.
  const Text alphabet = u"CRU1209.e-+ A" + Text(1, u'\0') + Text(1, u'\xFFFF');
  // References on which the correction goes round in circles (U2 before U10 before U1A
  // before U2), among others.
  const std::vector<Text> circular = {u"U2",  u"U10", u"U1A", u"U9",   u"U1B", u"U20", u"U2A",
                                      u"U19", u"U1",  u"U3C", u"U105", u"C1",  u"C1A", u"C10",
                                      u"C2",  u"R9",  u"R10", u"R1A",  u"RA1", u"IC1"};
  std::mt19937 random(8);
  for (int round = 0; round < 400; ++round) {
    std::vector<Text> refs;
    const int count = 1 + static_cast<int>(random() % 60);
    for (int k = 0; k < count; ++k) {
      Text ref;
      if (round % 2 == 0) {
        ref = circular[random() % circular.size()];
      } else {
        const int length = static_cast<int>(random() % 7);
        for (int c = 0; c < length; ++c) ref.push_back(alphabet[random() % alphabet.size()]);
      }
      refs.push_back(ref);
    }
    ASSERT_EQ(SortedReferences(refs), ExchangeSortAsStated(refs)) << round;
  }
}

TEST(SymbolNameFor, FirstMatchingRuleDecides) {
  const SymbolSizes sizes{u"cap", u"res", u"array", u"coil", u"tp", u"tr", u"diode", u"led"};
  const struct {
    TextView reference;
    TextView symbol;
  } cases[] = {
      {u"CN1", u""},    {u"RV2", u""},   {u"RA1", u"array"}, {u"LED3", u"led"}, {u"C1", u"cap"},
      {u"CR1", u"cap"}, {u"R1", u"res"}, {u"L1", u"coil"},   {u"LE1", u"coil"}, {u"D1", u"diode"},
      {u"TP1", u"tp"},  {u"Q5", u"tr"},  {u"TR5", u"tr"},    {u"T5", u""},      {u"U3", u""},
      {u"IC2", u""},    {u"X1", u""},    {u"c1", u""},       {u"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SymbolNameFor(c.reference, sizes), c.symbol) << ToUtf8(c.reference);
  }
}

TEST(AssignSymbolNames, RebuildsTheTableFromThePinReferences) {
  Design d;
  AddNet(d, u"N1", {u"R10-1", u"U1-1", u"C2-1"});
  AddNet(d, u"N2", {u"R10-2", u"R2-1", u"CN1-1", u"Q1-1"});
  // Earlier edits are discarded, also in rows past the new count.
  for (int i = 1; i <= 8; ++i) AddPart(d, u"OLD" + IntText(i), {.symbol = u"SYM"});
  d.PartTable.set(3, kPartGroup, u"A");
  d.PartTable.set(8, kPartX, u"10");

  const SymbolSizes sizes{u"C1608", u"R1608", u"RA4-M", u"L1608", u"TP06", u"", u"", u""};
  const SymbolAssignment r = AssignSymbolNames(d, sizes);

  EXPECT_TRUE(r.fits);
  EXPECT_EQ(r.referencesFound, 6);
  ASSERT_EQ(d.PartCount, 6);
  const TextView expected[][2] = {{u"C2", u"C1608"}, {u"CN1", u""},      {u"Q1", u""},
                                  {u"R2", u"R1608"}, {u"R10", u"R1608"}, {u"U1", u""}};
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(d.PartTable.at(i, kPartRef), expected[i - 1][0]);
    EXPECT_EQ(d.PartTable.at(i, kPartSymbol), expected[i - 1][1]);
    EXPECT_EQ(d.PartTable.at(i, kPartSide), u"0");
    for (int column : {2, 3, 4, 6, 7, 8, 9, 10}) EXPECT_EQ(d.PartTable.at(i, column), u"");
  }
  EXPECT_EQ(d.PartTable.at(8, kPartRef), u"");
  EXPECT_EQ(d.PartTable.at(8, kPartX), u"");
  EXPECT_EQ(r.undefinedCount, 3);
}

TEST(AssignSymbolNames, MoreReferencesThanRowsChangeNothing) {
  Design d;
  for (int n = 0; n < 3; ++n) {
    const int row = n + 1;
    d.NetTable.set(row, 0, u"N" + IntText(row));
    d.NetTable.set(row, 1, u"334");
    for (int c = 2; c <= 335; ++c) {
      const Text reference = u"R" + IntText(n * 334 + c);
      d.NetTable.set(row, c, reference + u"-1");
      d.PinPartTable.set(row, c, reference);
    }
  }
  d.NetCount = 3;  // 1002 distinct references
  AddPart(d, u"KEEP", {.symbol = u"SYM"});

  const SymbolAssignment r = AssignSymbolNames(d, SymbolSizes{});

  EXPECT_FALSE(r.fits);
  EXPECT_EQ(r.referencesFound, 1002);
  EXPECT_EQ(d.PartCount, 1);
  EXPECT_EQ(d.PartTable.at(1, kPartRef), u"KEEP");
  EXPECT_EQ(d.PartTable.at(1, kPartSymbol), u"SYM");
  EXPECT_NE(TooManyPartsMessage(1002).find(u"1002"), Text::npos);
  EXPECT_NE(TooManyPartsMessage(1002).find(u"1000"), Text::npos);
}

TEST(AssignSymbolNames, ExactlyAThousandPartsFit) {
  Design d;
  for (int n = 1; n <= 500; ++n) {
    AddNet(d, u"N" + IntText(n), {u"R" + IntText(n) + u"-1", u"C" + IntText(n) + u"-1"});
  }
  const SymbolAssignment r =
      AssignSymbolNames(d, SymbolSizes{u"C", u"R", u"", u"", u"", u"", u"", u""});
  EXPECT_TRUE(r.fits);
  EXPECT_EQ(d.PartCount, 1000);
  // Every C comes before every R, and C1 and R1 lead their groups.
  for (int i = 1; i <= 500; ++i) EXPECT_EQ(d.PartTable.at(i, kPartRef)[0], u'C') << i;
  EXPECT_EQ(d.PartTable.at(1, kPartRef), u"C1");
  EXPECT_EQ(d.PartTable.at(501, kPartRef), u"R1");
  EXPECT_EQ(d.PartTable.at(1000, kPartSymbol), u"R");
}

TEST(RunSymbolAssignment, ClassifiesAndAlwaysRebuildsTheList) {
  Design d;
  AddNet(d, u"N1", {u"U1-1", u"C1-1", u"R1-1", u"CN1-1", u"IC1-1"});
  std::vector<Text> combo11{u"OLD"};
  ListBoxState list1;

  SymbolAssignment r = RunSymbolAssignment(
      d, SymbolSizes{u"C1608", u"R1608", u"", u"", u"", u"", u"", u""}, combo11, list1);
  EXPECT_EQ(r.undefinedCount, 3);  // CN1, IC1, U1
  ASSERT_EQ(list1.items.size(), 5u);
  EXPECT_EQ(list1.items[0], PartListLine(d, 1));
  EXPECT_EQ(d.PartTable.at(1, kPartRef), u"C1");
  EXPECT_EQ(d.PartTable.at(1, kPartClass), u"0");
  EXPECT_EQ(combo11, (std::vector<Text>{u"OLD", u"CN1", u"IC1", u"U1"}));

  // A netlist without parts empties the table and the list.
  Design empty;
  empty.PartCount = d.PartCount;
  r = RunSymbolAssignment(empty, SymbolSizes{}, combo11, list1);
  EXPECT_TRUE(r.fits);
  EXPECT_EQ(empty.PartCount, 0);
  EXPECT_EQ(r.undefinedCount, 0);
  EXPECT_TRUE(list1.items.empty());
}

}  // namespace
}  // namespace pcbprep
