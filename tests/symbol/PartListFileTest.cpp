#include <gtest/gtest.h>

#include <string>

#include "design/TestDesign.h"
#include "symbol/PartListFile.h"

namespace pcbprep {
namespace {

using testing::AddNet;
using testing::AddPart;

constexpr char16_t kHeader[] =
    u"部品番号,シンボル名,X,Y,実装面,主/準/従,主部品名,グループ,接続レベル\r\n";

void SetRow(Design& d, int row, const PartListRow& cells) {
  for (std::size_t f = 0; f < kPartListFields; ++f)
    d.PartTable.set(row, kPartListColumns[f], cells[f]);
}

TEST(PartListFile, WritesHeaderAndCellsQuotingOnlyWhereNeeded) {
  Design d;
  AddPart(d, u"U1");
  SetRow(d, 1, {u"U1", u"QFP44", u"-20", u"15", u"0", u"2", u"*U1", u"1", u"0"});
  AddPart(d, u"C1");
  SetRow(d, 2, {u"C1", u"C,1608", u"say \"hi\"", u"a\r\nb", u"1", u"0", u"U1", u"", u"1"});
  // Columns 4 and 9 are not part of the file.
  d.PartTable.set(1, 4, u"x");
  d.PartTable.set(1, 9, u"y");

  EXPECT_EQ(PartListText(d), Text(kHeader) +
                                 u"U1,QFP44,-20,15,0,2,*U1,1,0\r\n"
                                 u"C1,\"C,1608\",\"say \"\"hi\"\"\",\"a\r\nb\",1,0,U1,,1\r\n");
  const EncodeResult bytes = PartListBytes(d);
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.bytes.substr(0, 8), "\x95\x94\x95\x69\x94\xd4\x8d\x86");  // 部品番号, no BOM
}

TEST(PartListFile, RoundTripKeepsEveryCell) {
  Design d;
  const PartListRow rows[] = {
      {u"IC1", u"ＳＯＰ①～", u"10", u"-5", u"1", u"2", u"*IC1", u"A", u"0"},
      {u"R 1", u" pad ", u"", u"", u"", u"", u"", u"", u""},
      {u"C\"2", u"x,y", u"1\n2", u"3\r4", u"0", u"1", u"*C\"2", u"グループ", u"12"},
  };
  for (const PartListRow& row : rows) SetRow(d, AddPart(d, row[0]), row);

  const EncodeResult bytes = PartListBytes(d);
  ASSERT_TRUE(bytes.ok()) << ToUtf8(bytes.unmappable);
  const PartListParse parse = ParsePartListBytes(bytes.bytes);
  ASSERT_TRUE(parse.ok()) << parse.line << ": " << ToUtf8(parse.reason);

  Design loaded;
  loaded.PartTable.set(7, kPartRef, u"OLD");  // a row of an earlier list
  std::vector<Text> combo11{u"OLD"};
  ListBoxState list1;
  const PartListLoad load = LoadPartList(loaded, parse, combo11, list1);
  EXPECT_EQ(load.partCount, 3);
  EXPECT_EQ(load.undefinedCount, 0);
  ASSERT_EQ(loaded.PartCount, 3);
  for (int r = 0; r <= kMaxParts; ++r) {
    for (int c = 0; c < kPartColumns; ++c) {
      ASSERT_EQ(loaded.PartTable.at(r, c), d.PartTable.at(r, c)) << r << "," << c;
    }
  }
  EXPECT_EQ(combo11, (std::vector<Text>{u"IC1", u"C\"2"}));
  EXPECT_EQ(list1.items.size(), 3u);
  EXPECT_EQ(list1.items[0], PartListLine(loaded, 1));
}

TEST(PartListFile, ReadsWhatSpreadsheetsWrite) {
  // LF line ends, quotes around plain fields, an empty line and no final line end.
  const PartListParse parse = ParsePartList(
      u"部品番号,シンボル名,X,Y,実装面,主/準/従,主部品名,グループ,接続レベル\n"
      u"\"R1\",R1608,1,2,0,0,,,\n\nR2,R1608,,,0,0,,,");
  ASSERT_TRUE(parse.ok()) << ToUtf8(parse.reason);
  ASSERT_EQ(parse.rows.size(), 2u);
  EXPECT_EQ(parse.rows[0][0], u"R1");
  EXPECT_EQ(parse.rows[1][8], u"");
}

TEST(PartListFile, FaultsNameTheLineAndTheReason) {
  const Text header = kHeader;
  const Text good = u"R1,R1608,,,0,0,,,\r\n";
  Text tooMany = header;
  for (int i = 1; i <= kMaxParts + 1; ++i) tooMany += u"R" + IntText(i) + u",,,,,,,,\r\n";
  struct Case {
    const char* what;
    Text text;
    int line;
    Text reason;
  };
  const Case cases[] = {
      {"empty file", u"", 1, u"見出し行がありません"},
      {"other header", u"ref,sym,X,Y,side,class,main,group,level\r\n" + good, 1, u"見出し行が"},
      {"eight fields", header + good + u"R2,,,,,,,\r\n", 3, u"欄の数が 8 個です"},
      {"ten fields", header + u"R2,,,,,,,,,\r\n", 2, u"欄の数が 10 個です"},
      {"empty reference", header + good + u",C1608,,,,,,,\r\n", 3, u"部品番号が空です"},
      {"repeated reference", header + good + u"R2,,,,,,,,\r\n" + good, 4,
       u"部品番号 R1 が 2 行目と重複しています"},
      {"quote inside a field", header + u"R\"1,,,,,,,,\r\n", 2, u"囲まれていない欄に引用符"},
      {"text after a quote", header + u"\"R1\"x,,,,,,,,\r\n", 2, u"閉じた引用符"},
      {"open quote", header + good + u"\"R2,,,,,,,,\r\n", 3, u"閉じられていません"},
      {"a quoted line end counts", header + u"R2,\"a\nb\",,,,,,,\r\nR3,,\r\n", 4, u"欄の数が 3"},
      {"too many parts", tooMany, kMaxParts + 2, u"1000 個を超えています"},
      // Codes the part table cannot hold; a click on the part would empty them.
      {"side 7", header + good + u"R2,,,,7,0,,,\r\n", 3, u"実装面が \"7\" です"},
      {"side as shown", header + u"R2,,,,表(0),,,,\r\n", 2, u"実装面が \"表(0)\""},
      {"class 7", header + u"R2,,,,1,7,,,\r\n", 2, u"主/準/従 が \"7\" です"},
      {"class with a blank", header + u"R2,,,,,2 ,,,\r\n", 2, u"主/準/従 が \"2 \""},
      {"a million fields", header + u"R2" + Text(1000000, u','), 2, u"欄の数が 65 個以上です"},
  };
  for (const Case& c : cases) {
    const PartListParse parse = ParsePartList(c.text);
    EXPECT_FALSE(parse.ok()) << c.what;
    EXPECT_EQ(parse.line, c.line) << c.what;
    EXPECT_NE(parse.reason.find(c.reason), Text::npos) << c.what << ": " << ToUtf8(parse.reason);
  }

  // A message quotes at most 60 characters of a cell.
  const Text longRef = Text(1000000, u'R');
  const PartListParse repeated =
      ParsePartList(header + longRef + u",,,,,,,,\r\n" + longRef + u",,,,,,,,\r\n");
  ASSERT_FALSE(repeated.ok());
  EXPECT_EQ(repeated.reason, u"部品番号 " + Text(60, u'R') + u"… が 2 行目と重複しています");

  // A file in another code page stops at the line with the first foreign byte.
  const EncodeResult sjis = EncodeCp932(header + good);
  const PartListParse utf8 = ParsePartListBytes(sjis.bytes + "R2,\xE2\x91\xA0,,,,,,,\r\n");
  EXPECT_EQ(utf8.line, 3);
  EXPECT_NE(utf8.reason.find(u"Shift_JIS"), Text::npos);
  EXPECT_EQ(PartListFault(utf8).substr(0, 6), u"3 行目: ");
}

TEST(PartListFile, LoadCountsReferencesOfAnotherBoard) {
  Design d;
  AddNet(d, u"N1", {u"R1-1", u"R2-1", u"U1-3"});
  AddNet(d, u"N2", {u"R2-2", u"C9-1"});
  const PartListParse parse =
      ParsePartList(Text(kHeader) + u"R1,,,,,,,,\r\nR2,R1608,,,,,,,\r\nX5,,,,,,,,\r\n");
  ASSERT_TRUE(parse.ok());
  std::vector<Text> combo11;
  ListBoxState list1;
  const PartListLoad load = LoadPartList(d, parse, combo11, list1);
  EXPECT_EQ(load.notInNetlist, 1);     // X5
  EXPECT_EQ(load.missingFromList, 2);  // U1, C9
  EXPECT_EQ(load.undefinedCount, 2);
  EXPECT_EQ(PartListLoadNote(load, u"b.csv"),
            u"部品リストを読み込みました: b.csv（部品 3 個、ネットリストにない部品 1 個、"
            u"リストにないネットリストの部品 2 個）");
}

TEST(PartListFile, ProposedNameAndSaveState) {
  EXPECT_EQ(PartListFileName(u"/work/board.NET"), u"/work/board.csv");
  EXPECT_EQ(PartListFileName(u"/work/v1.2/board"), u"/work/v1.2/board.csv");
  EXPECT_EQ(PartListFileName(u"C:\\a\\b.x.net"), u"C:\\a\\b.x.csv");
  EXPECT_EQ(PartListFileName(u""), u"");

  Design d;
  PartListSaveState state;
  EXPECT_FALSE(state.changed(d));  // nothing to save
  AddPart(d, u"R1");
  EXPECT_TRUE(state.changed(d));
  state.markSaved(d);
  EXPECT_FALSE(state.changed(d));
  d.PartTable.set(1, kPartSymbol, u"R1608");
  EXPECT_TRUE(state.changed(d));
  d.PartTable.set(1, kPartSymbol, u"");  // changed back
  EXPECT_FALSE(state.changed(d));
}

}  // namespace
}  // namespace pcbprep
