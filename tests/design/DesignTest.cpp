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
