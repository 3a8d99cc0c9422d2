#include <gtest/gtest.h>

#include "design/TestDesign.h"
#include "placement/Classification.h"

namespace pcbprep {
namespace {

using testing::AddPart;

TEST(ClassifyByPrefix, WholePrefixDecidesTheClass) {
  const struct {
    TextView reference;
    TextView code;
  } cases[] = {
      {u"U1", u"2"},   {u"X2", u"2"},   {u"Y3", u"2"},  {u"IC12", u"2"}, {u"U", u"2"},
      {u"IC", u"2"},   {u"CN3", u"1"},  {u"J1", u"1"},  {u"P4", u"1"},   {u"C5", u"0"},
      {u"L1", u"0"},   {u"R5", u"0"},   {u"I1", u"0"},  {u"UA1", u"0"},  {u"ICX2", u"0"},
      {u"ICX", u"0"},  {u"u1", u"0"},   {u"ic1", u"0"}, {u"TP3", u"0"},  {u"Q2", u"0"},
      {u"LED1", u"0"}, {u"RA1", u"0"},  {u"1A", u"0"},  {u"", u"0"},     {u"CN", u"1"},
      {u"U1A", u"2"},  {u"X12Y", u"2"},
  };
  for (const auto& c : cases) {
    Design d;
    AddPart(d, c.reference);
    std::vector<Text> combo11;
    EXPECT_TRUE(ClassifyByPrefix(d, combo11));
    EXPECT_EQ(d.PartTable.at(1, kPartClass), c.code) << ToUtf8(c.reference);
    const std::vector<Text> offered =
        c.code == u"0" ? std::vector<Text>{} : std::vector<Text>{Text(c.reference)};
    EXPECT_EQ(combo11, offered) << ToUtf8(c.reference);
  }
}

TEST(ClassifyByPrefix, KeepsSetClassesAndAppendsNewAnchorsInTableOrder) {
  Design d;
  AddPart(d, u"R1");
  d.PartTable.set(1, kPartClass, u"2");  // set by the designer
  AddPart(d, u"U2");
  AddPart(d, u"C1");
  AddPart(d, u"CN1");
  AddPart(d, u"U1");
  d.PartTable.set(5, kPartClass, u"0");
  std::vector<Text> combo11{u"OLD"};

  EXPECT_TRUE(ClassifyByPrefix(d, combo11));
  EXPECT_EQ(d.PartTable.at(1, kPartClass), u"2");
  EXPECT_EQ(d.PartTable.at(5, kPartClass), u"0");
  EXPECT_EQ(combo11, (std::vector<Text>{u"OLD", u"U2", u"CN1"}));

  // Nothing is left to classify the second time.
  EXPECT_FALSE(ClassifyByPrefix(d, combo11));
  EXPECT_EQ(combo11.size(), 3u);
}

TEST(ClassifyByPrefix, EmptyTableClassifiesNothingAndRebuiltTablesAreOfferedAgain) {
  Design d;
  std::vector<Text> combo11{u"U1"};
  EXPECT_FALSE(ClassifyByPrefix(d, combo11));
  // The chooser is never cleared, so a rebuilt table offers its anchors a second time.
  AddPart(d, u"U1");
  EXPECT_TRUE(ClassifyByPrefix(d, combo11));
  EXPECT_EQ(combo11, (std::vector<Text>{u"U1", u"U1"}));
}

}  // namespace
}  // namespace pcbprep
