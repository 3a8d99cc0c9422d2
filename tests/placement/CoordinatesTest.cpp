#include "placement/Coordinates.h"

#include <gtest/gtest.h>

#include <vector>

#include "design/TestDesign.h"

namespace pcbprep {
namespace {

using testing::AddPart;
using testing::FindPart;

struct Place {
  Text reference;
  Text x;
  Text y;
};

// A part attached to an anchor at a level, as the main-part assignment leaves it.
int AddSub(Design& d, const Text& reference, const Text& anchor, const Text& level) {
  const int row = AddPart(d, reference, {.partClass = kClassSub});
  d.PartTable.set(row, kPartMain, anchor);
  d.PartTable.set(row, kPartLevel, level);
  return row;
}

int AddAnchor(Design& d, const Text& reference, const Text& partClass) {
  const int row = AddPart(d, reference, {.partClass = partClass});
  d.PartTable.set(row, kPartMain, u"*" + reference);
  d.PartTable.set(row, kPartLevel, u"0");
  return row;
}

void ExpectPlaces(const Design& d, const std::vector<Place>& places) {
  for (const Place& p : places) {
    const int row = FindPart(d, p.reference);
    ASSERT_GT(row, 0) << ToUtf8(p.reference);
    EXPECT_EQ(d.PartTable.at(row, kPartX), p.x) << ToUtf8(p.reference);
    EXPECT_EQ(d.PartTable.at(row, kPartY), p.y) << ToUtf8(p.reference);
  }
}

TEST(DetermineCoordinatesByMainPart, AnchorsStandInRowsNumberedPerClass) {
  Design d;
  AddAnchor(d, u"U1", u"2");
  AddAnchor(d, u"U2", u"2");
  AddAnchor(d, u"CN1", u"1");
  EXPECT_TRUE(DetermineCoordinates(d, true, false).written);
  ExpectPlaces(d, {{u"U1", u"-25", u"0"}, {u"U2", u"-50", u"0"}, {u"CN1", u"-25", u"-25"}});
}

TEST(DetermineCoordinatesByMainPart, SubPartsFillRowsOfThreeLevelByLevel) {
  Design d;
  AddSub(d, u"R9", u"U1", u"2");  // earlier in the table, but one level further out
  AddAnchor(d, u"U1", u"2");
  AddSub(d, u"R1", u"U1", u"1");
  AddSub(d, u"R2", u"U1", u"1");
  AddAnchor(d, u"CN1", u"1");
  AddSub(d, u"R3", u"U1", u"1");
  AddSub(d, u"C1", u"CN1", u"1");
  AddSub(d, u"C2", u"CN1", u"1");
  AddSub(d, u"C3", u"CN1", u"1");
  AddSub(d, u"C4", u"CN1", u"1");
  AddSub(d, u"R4", u"U1", u"1");
  DetermineCoordinates(d, true, false);
  ExpectPlaces(d, {{u"R1", u"-25", u"10"},
                   {u"R2", u"-22", u"10"},
                   {u"R3", u"-28", u"10"},
                   {u"R4", u"-25", u"13"},
                   {u"R9", u"-22", u"13"},
                   {u"C1", u"-25", u"-35"},
                   {u"C2", u"-22", u"-35"},
                   {u"C3", u"-28", u"-35"},
                   {u"C4", u"-25", u"-38"}});
}

TEST(DetermineCoordinatesByMainPart, PartsWithoutAPlaceGoBelowTheBoard) {
  Design d;
  AddAnchor(d, u"U1", u"2");
  AddSub(d, u"R1", u"U1", u"1");
  AddSub(d, u"R3", u"U1", u"3");  // no part of level 2: the stacking stops before 3
  AddSub(d, u"R4", u"U7", u"1");  // names no anchor
  const int typed = AddSub(d, u"R5", u"", u"");
  d.PartTable.set(typed, kPartX, u"5");
  d.PartTable.set(typed, kPartY, u"7");
  const int odd = AddSub(d, u"D1", u"", u"");
  d.PartTable.set(odd, kPartX, u"abc");
  EXPECT_TRUE(DetermineCoordinates(d, true, false).written);
  ExpectPlaces(d, {{u"R1", u"-25", u"10"},
                   {u"R3", u"10", u"-20"},
                   {u"R4", u"15", u"-20"},
                   {u"R5", u"5", u"7"},
                   {u"D1", u"20", u"-20"}});
}

TEST(DetermineCoordinatesByMainPart, OnlyTheLevelTextAsWrittenCountsAsThatLevel) {
  Design d;
  AddAnchor(d, u"U1", u"2");
  AddSub(d, u"R1", u"U1", u"01");
  AddSub(d, u"R2", u"U1", u" 1");
  AddSub(d, u"R3", u"U1", u"1.0");
  AddSub(d, u"R4", u"U1", u"1");
  AddSub(d, u"R5", u"U1", u"2");
  EXPECT_TRUE(DetermineCoordinates(d, true, false).written);
  ExpectPlaces(d, {{u"R4", u"-25", u"10"},
                   {u"R5", u"-22", u"10"},
                   {u"R1", u"10", u"-20"},
                   {u"R2", u"15", u"-20"},
                   {u"R3", u"20", u"-20"}});
}

TEST(DetermineCoordinatesByMainPart, TwentyTwoUnplacedPartsFillOneRowAndStartTheNext) {
  Design d;
  for (int i = 1; i <= 22; ++i) AddPart(d, u"R" + IntText(i), {.partClass = kClassSub});
  DetermineCoordinates(d, true, false);
  std::vector<Place> expected;
  for (int i = 1; i <= 21; ++i) expected.push_back({u"R" + IntText(i), IntText(5 + 5 * i), u"-20"});
  expected.push_back({u"R22", u"10", u"-30"});
  ExpectPlaces(d, expected);
}

TEST(DetermineCoordinatesByMainPart, AnchorsBeyondTheTenthMoveUpInBands) {
  Design d;
  for (int i = 1; i <= 11; ++i) {
    AddAnchor(d, u"U" + IntText(i), u"2");
    AddSub(d, u"R" + IntText(i), u"U" + IntText(i), u"1");
  }
  DetermineCoordinates(d, true, false);
  // Everything stands at Y 10 or below, so the first band lies 25 higher.
  ExpectPlaces(d, {{u"U10", u"-250", u"0"},
                   {u"R10", u"-250", u"10"},
                   {u"U11", u"-25", u"25"},
                   {u"R11", u"-25", u"35"}});
}

TEST(DetermineCoordinatesByMainPart, EveryTenAnchorsTakeTheirOwnBand) {
  Design d;
  for (int i = 1; i <= 71; ++i) AddAnchor(d, u"U" + IntText(i), u"2");
  DetermineCoordinates(d, true, false);
  // Highest Y is 0: the bands are lifted by 15, 45 and 60, and anchors 41 to 70 pass
  // through more than one band.
  ExpectPlaces(d, {{u"U1", u"-25", u"0"},
                   {u"U11", u"-25", u"15"},
                   {u"U20", u"-250", u"15"},
                   {u"U21", u"-25", u"45"},
                   {u"U31", u"-25", u"60"},
                   {u"U41", u"-25", u"75"},
                   {u"U51", u"-25", u"105"},
                   {u"U61", u"-25", u"120"},
                   {u"U71", u"-275", u"120"}});
}

TEST(DetermineCoordinatesByMainPart, BandsRewriteOnlyTheMovedParts) {
  Design d;
  // Extents round halves to even: X -255.5 gives -256 (so the bands apply) and Y
  // 10.5 gives 10 (so the lift is 25).
  const int far = AddPart(d, u"R1");
  d.PartTable.set(far, kPartX, u"-255.5");
  d.PartTable.set(far, kPartY, u"10.5");
  const int near = AddPart(d, u"R2");
  d.PartTable.set(near, kPartX, u"-30.0");
  d.PartTable.set(near, kPartY, u"abc");
  EXPECT_TRUE(DetermineCoordinates(d, true, false).written);
  ExpectPlaces(d, {{u"R1", u"-5.5", u"35.5"}, {u"R2", u"-30.0", u"abc"}});
}

TEST(DetermineCoordinatesByMainPart, WritesNothingWhenACoordinateWouldNotFit) {
  Design d;
  AddAnchor(d, u"U1", u"2");
  AddSub(d, u"R1", u"U1", u"1");
  const int high = AddPart(d, u"R2");
  d.PartTable.set(high, kPartX, u"-300");
  d.PartTable.set(high, kPartY, u"32750");  // the lift of its band would pass 32767
  const CoordinateResult result = DetermineCoordinates(d, true, false);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.part, u"R2");
  ExpectPlaces(d, {{u"U1", u"", u""}, {u"R1", u"", u""}, {u"R2", u"-300", u"32750"}});
}

TEST(DetermineCoordinatesByGroup, PutsOneColumnPerGroup) {
  Design d;
  for (const auto& [reference, group] : std::vector<std::pair<Text, Text>>{
           {u"R1", u"1"}, {u"R2", u"2"}, {u"R3", u"1"}, {u"R4", u""}, {u"R5", u"1"}}) {
    const int row = AddPart(d, reference, {.partClass = kClassMain});
    d.PartTable.set(row, kPartGroup, group);
  }
  d.PartTable.set(4, kPartX, u"3");
  EXPECT_TRUE(DetermineCoordinates(d, false, true).written);
  ExpectPlaces(d, {{u"R1", u"-25", u"0"},
                   {u"R2", u"-50", u"0"},
                   {u"R3", u"-25", u"2"},
                   {u"R4", u"3", u""},
                   {u"R5", u"-25", u"4"}});
}

TEST(DetermineCoordinates, TheMainPartModeWinsAndNoModeDoesNothing) {
  Design d;
  const int row = AddAnchor(d, u"U1", u"2");
  d.PartTable.set(row, kPartGroup, u"1");
  d.PartTable.set(row, kPartX, u"x");
  EXPECT_TRUE(DetermineCoordinates(d, false, false).written);
  ExpectPlaces(d, {{u"U1", u"x", u""}});
  DetermineCoordinates(d, true, true);
  ExpectPlaces(d, {{u"U1", u"-25", u"0"}});
}

TEST(CoordinateText, IsPlainDecimal) {
  EXPECT_EQ(CoordinateText(-25), u"-25");
  EXPECT_EQ(CoordinateText(0), u"0");
  EXPECT_EQ(CoordinateText(-0.0), u"0");
  EXPECT_EQ(CoordinateText(35.5), u"35.5");
  EXPECT_EQ(CoordinateText(-5.25), u"-5.25");
}

}  // namespace
}  // namespace pcbprep
