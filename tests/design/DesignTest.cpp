#include <gtest/gtest.h>

#include "design/CodePage.h"
#include "design/Design.h"

namespace pcbprep {
namespace {

TEST(ReferencePrefix, IsTheLeadingRunOfNonDigits) {
  EXPECT_EQ(ReferencePrefix(u"IC12"), u"IC");
  EXPECT_EQ(ReferencePrefix(u"CN3"), u"CN");
  EXPECT_EQ(ReferencePrefix(u"R1A"), u"R");
  EXPECT_EQ(ReferencePrefix(u"3V"), u"");
  EXPECT_EQ(ReferencePrefix(u"FG"), u"FG");
  EXPECT_EQ(ReferencePrefix(u""), u"");
}

TEST(DesignTables, HaveTheirCapacitiesAndReadEmptyEverywhere) {
  Design d;
  EXPECT_EQ(d.NetTable.rowCount(), 1001);
  EXPECT_EQ(d.NetTable.columnCount(), 401);
  EXPECT_EQ(d.PartTable.rowCount(), 1001);
  EXPECT_EQ(d.PartTable.columnCount(), 11);
  EXPECT_EQ(d.NetTable.at(1000, 400), u"");
  d.NetTable.set(1000, 400, u"x");
  EXPECT_EQ(d.NetTable.at(1000, 400), u"x");
  EXPECT_EQ(d.NetTable.at(1000, 399), u"");
  EXPECT_THROW(d.NetTable.set(1001, 0, u"x"), std::out_of_range);
  EXPECT_THROW((void)d.PartTable.at(1, 11), std::out_of_range);
}

TEST(DesignTables, PinCountIsLimitedToTheRow) {
  Design d;
  d.NetTable.set(1, 1, u"3");
  d.NetTable.set(2, 1, u"abc");
  d.NetTable.set(3, 1, u"5000");
  EXPECT_EQ(d.pinCount(1), 3);
  EXPECT_EQ(d.pinCount(2), 0);
  EXPECT_EQ(d.pinCount(3), 399);
}

TEST(CodeTables, ShowStoreAndStepThroughTheirValues) {
  const struct {
    const char16_t* code;
    const char16_t* side;
    const char16_t* cls;
  } codes[] = {{u"", u"", u""}, {u"0", u"表(0)", u"従(0)"}, {u"1", u"裏(1)", u"準(1)"}};
  for (const auto& c : codes) {
    EXPECT_EQ(ShownOfCode(kSideCodes, c.code), Text(c.side));
    EXPECT_EQ(ShownOfCode(kClassCodes, c.code), Text(c.cls));
    EXPECT_EQ(CodeOfShown(kSideCodes, c.side), Text(c.code));
    EXPECT_EQ(CodeOfShown(kClassCodes, c.cls), Text(c.code));
  }
  EXPECT_EQ(ShownOfCode(kClassCodes, u"2"), Text(u"主(2)"));
  EXPECT_EQ(CodeOfShown(kClassCodes, u"主(2)"), Text(u"2"));
  EXPECT_FALSE(ShownOfCode(kSideCodes, u"2").has_value());
  EXPECT_FALSE(ShownOfCode(kClassCodes, u" 1").has_value());
  EXPECT_FALSE(CodeOfShown(kSideCodes, u"1").has_value());  // a code is no shown text

  // A click on the side box: "" and 裏 go to 表, 表 to 裏; anything else is cleared.
  EXPECT_EQ(NextShown(kSideCodes, u""), u"表(0)");
  EXPECT_EQ(NextShown(kSideCodes, u"表(0)"), u"裏(1)");
  EXPECT_EQ(NextShown(kSideCodes, u"裏(1)"), u"表(0)");
  EXPECT_EQ(NextShown(kSideCodes, u"1"), u"");

  // The class box: sub, main, semi, sub, ...
  Text shown;
  std::vector<Text> seen;
  for (int i = 0; i < 4; ++i) seen.push_back(shown = NextShown(kClassCodes, shown));
  EXPECT_EQ(seen, (std::vector<Text>{u"従(0)", u"主(2)", u"準(1)", u"従(0)"}));
  EXPECT_EQ(NextShown(kClassCodes, u"主"), u"");
}

TEST(DesignTables, PinColumnsAndPartRowsStayInsideTheTables) {
  Design d;
  d.NetTable.set(1, kNetPinCount, u"3");
  d.NetTable.set(2, kNetPinCount, u"5000");
  std::vector<int> columns;
  for (const int c : d.pinColumns(1)) columns.push_back(c);
  EXPECT_EQ(columns, (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(d.pinColumns(2).last, 400);
  for ([[maybe_unused]] const int c : d.pinColumns(3)) ADD_FAILURE() << "a net without pins";

  const std::pair<int, int> rows[] = {{0, 0}, {-5, 0}, {12, 12}, {1000, 1000}, {1200, 1000}};
  for (const auto& [count, expected] : rows) {
    d.PartCount = static_cast<std::int16_t>(count);
    EXPECT_EQ(d.partRows(), expected) << count;
  }
}

TEST(CodePage932, RoundTripsJapaneseAndVendorCharacters) {
  const Text text = u"電源ＧＮＤ①～ｱ\\[]ソ表";
  const auto encoded = EncodeCp932(text);
  ASSERT_TRUE(encoded.ok());
  const auto decoded = DecodeCp932(encoded.bytes);
  EXPECT_EQ(decoded.invalidBytes, 0u);
  EXPECT_EQ(decoded.text, text);
}

TEST(CodePage932, TrailBytesAreNotAsciiCharacters) {
  // 0x83 0x5B is a katakana, 0x95 0x5C a kanji: their trail bytes equal "[" and "\\".
  const auto decoded = DecodeCp932("\x83\x5B\x95\x5C");
  EXPECT_EQ(decoded.text, u"ゼ表");
  EXPECT_EQ(decoded.text.find(u'['), Text::npos);
}

TEST(CodePage932, InvalidBytesAreReplacedAndUnmappableCharactersReported) {
  const auto decoded =
      DecodeCp932(std::string("A\xFF"
                              "B\x81",
                              4));
  EXPECT_EQ(decoded.text, u"A\uFFFDB\uFFFD");
  EXPECT_EQ(decoded.invalidBytes, 2u);
  const auto encoded = EncodeCp932(u"a한b😀c한");
  EXPECT_FALSE(encoded.ok());
  EXPECT_EQ(encoded.unmappable, u"한😀");
}

}  // namespace
}  // namespace pcbprep
