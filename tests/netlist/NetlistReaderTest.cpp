#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/CodePage.h"
#include "netlist/NetlistReader.h"

namespace pcbprep {
namespace {

std::vector<Text> Items(TextView text) {
  std::vector<Text> items;
  NetlistItemReader reader(text);
  NetlistItem item;
  while (reader.next(item)) items.push_back(item.text);
  return items;
}

TEST(NetlistItemReader, SplitsAtCommasAndLineEndsAndSkipsLeadingBlanks) {
  const struct {
    const char16_t* text;
    std::vector<Text> items;
  } cases[] = {
      {u"NET1[U1-1,U2-1,U3-2]", {u"NET1[U1-1", u"U2-1", u"U3-2]"}},
      {u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
      {u"   U2-1\r\n\t x", {u"U2-1", u"x"}},
      {u"a\r\n\r\nb\r\n", {u"a", u"", u"b"}},
      {u"\"N,1\r\n[\"  tail,b", {u"N,1\r\n[", u"b"}},
      {u"\"open to the end", {u"open to the end"}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"", {}},
      {u"x  ", {u"x  "}},
  };
  for (const auto& c : cases) EXPECT_EQ(Items(c.text), c.items) << ToUtf8(c.text);
}

TEST(NetlistItemReader, ReportsTheLineAnItemStartsOn) {
  NetlistItemReader reader(u"a,b\r\n\"x\ny\"\nc\rd");
  NetlistItem item;
  std::vector<int> lines;
  while (reader.next(item)) lines.push_back(item.line);
  EXPECT_EQ(lines, (std::vector<int>{1, 1, 2, 4, 5}));
}

TEST(SplitPinToken, TakesReferenceAndPinNumberAtTheFirstTwoHyphens) {
  Text ref, pin;
  ASSERT_TRUE(SplitPinToken(u"R1-2-A", ref, pin));
  EXPECT_EQ(ref, u"R1");
  EXPECT_EQ(pin, u"2");
  ASSERT_TRUE(SplitPinToken(u" U1-1", ref, pin));
  EXPECT_EQ(ref, u" U1");
  ASSERT_TRUE(SplitPinToken(u"-", ref, pin));
  EXPECT_EQ(ref, u"");
  EXPECT_EQ(pin, u"");
  EXPECT_FALSE(SplitPinToken(u"U1", ref, pin));
  EXPECT_FALSE(SplitPinToken(u"", ref, pin));
}

struct Net {
  Text name;
  Text count;
  std::vector<Text> tokens;  // columns 2 ..
};

void ExpectNet(const Design& d, int row, const Net& net) {
  SCOPED_TRACE(ToUtf8(net.name));
  EXPECT_EQ(d.NetTable.at(row, 0), net.name);
  EXPECT_EQ(d.PinPartTable.at(row, 0), net.name);
  EXPECT_EQ(d.PinNoTable.at(row, 0), net.name);
  EXPECT_EQ(d.NetTable.at(row, 1), net.count);
  for (std::size_t i = 0; i < net.tokens.size(); ++i) {
    EXPECT_EQ(d.NetTable.at(row, static_cast<int>(i) + 2), net.tokens[i]) << i;
  }
  EXPECT_EQ(d.NetTable.at(row, static_cast<int>(net.tokens.size()) + 2), u"");
}

TEST(LoadNetlist, ReadsNetsPinsReferencesAndPinNumbers) {
  Design d;
  const auto r = LoadNetlistText(
      d,
      u"* header\r\nNET1[U1-1\r\nU2-1\r\n\r\ncomment line\r\nU3-2] tail\r\nVCC[U1-14]\r\n"
      u"   R1-2-A\r\nGND[ U1-7\r\nC1-2]\r\n");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(d.NetCount, 3);
  ExpectNet(d, 1, {u"NET1", u"3", {u"U1-1", u"U2-1", u"U3-2"}});
  EXPECT_EQ(d.PinPartTable.at(1, 4), u"U3");
  EXPECT_EQ(d.PinNoTable.at(1, 4), u"2");
  ExpectNet(d, 2, {u"VCC", u"1", {u"U1-14"}});
  // A stray pin line before an opening line shifts that net's pins.
  ExpectNet(d, 3, {u"GND", u"3", {u" U1-7", u"", u"C1-2"}});
  EXPECT_EQ(d.PinPartTable.at(3, 2), u" U1");
  EXPECT_EQ(d.NetTable.at(3, 1), u"3");
  EXPECT_EQ(r.totalPins, 7);
  EXPECT_EQ(r.status, u"OK");
  EXPECT_EQ(r.largestNet, u"NET1");
}

TEST(LoadNetlist, CommaSeparatedFileGivesTheSameNet) {
  Design a, b;
  ASSERT_TRUE(LoadNetlistText(a, u"NET1[U1-1,U2-1,U3-2]").ok());
  ASSERT_TRUE(LoadNetlistText(b, u"NET1[U1-1\r\nU2-1\r\nU3-2]\r\n").ok());
  ExpectNet(a, 1, {u"NET1", u"3", {u"U1-1", u"U2-1", u"U3-2"}});
  ExpectNet(b, 1, {u"NET1", u"3", {u"U1-1", u"U2-1", u"U3-2"}});
}

TEST(LoadNetlist, LargestNetProposalKeepsTheEarlierOnATie) {
  Design d;
  const auto r = LoadNetlistText(d, u"A[X1-1]\nB[U1-1\nU2-1]\nC[U3-1\nU4-1]\nD[U5-1]\n");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.largestNet, u"B");
  Design empty;
  const auto none = LoadNetlistText(empty, u"just a comment\r\n");
  ASSERT_TRUE(none.ok());
  EXPECT_EQ(empty.NetCount, 0);
  EXPECT_EQ(none.largestNet, u"");
}

TEST(LoadNetlist, UnclosedLastNetIsNotCounted) {
  Design d;
  ASSERT_TRUE(LoadNetlistText(d, u"A[U1-1]\r\nB[U2-1\r\nU3-1\r\n").ok());
  EXPECT_EQ(d.NetCount, 1);
}

std::u16string PinLines(int from, int to) {
  std::u16string text;
  for (int i = from; i <= to; ++i) text += u"U" + IntText(i) + u"-1\r\n";
  return text;
}

TEST(LoadNetlist, FailuresStopWithTheLineAndChangeNothing) {
  const struct {
    std::u16string text;
    LoadFailure failure;
    int line;
  } cases[] = {
      {u"A[U1-1]\r\n]\r\n", LoadFailure::TokenWithoutHyphen, 2},
      {u"A[U1-1]\r\nNAME[\r\n", LoadFailure::TokenWithoutHyphen, 2},
      {u"A[U1-1]\r\nB[U2-1\r\nnohyphen]\r\n", LoadFailure::TokenWithoutHyphen, 3},
      // 400 pins: the closing line would need column 401.
      {u"A[U0-1\r\n" + PinLines(1, 398) + u"X-1]\r\n", LoadFailure::TooManyPins, 400},
  };
  for (const auto& c : cases) {
    Design d;
    ASSERT_TRUE(LoadNetlistText(d, u"P[Q1-1\r\nQ2-2]\r\nR[Q3-1]\r\n").ok());
    const auto r = LoadNetlistText(d, c.text);
    EXPECT_EQ(r.failure, c.failure) << c.line;
    EXPECT_EQ(r.line, c.line);
    // The netlist loaded before is still whole.
    EXPECT_EQ(d.NetCount, 2);
    ExpectNet(d, 1, {u"P", u"2", {u"Q1-1", u"Q2-2"}});
    EXPECT_EQ(d.PinPartTable.at(2, 2), u"Q3");
    EXPECT_EQ(d.NetTable.at(3, 0), u"");
  }
}

TEST(LoadNetlist, FilesWithoutNetsOrNotTextAreRefusedAndChangeNothing) {
  std::string stray = "A[R1-1\r\nU1-1]\r\nB\x80[R1-2\r\nU1-2]\r\n";  // one odd byte
  std::string lateNul = "A[R1-1\r\nU1-1]\r\n" + std::string(5000, ' ') + '\0';
  const struct {
    std::string bytes;
    LoadFailure failure;
    const char* says;
  } cases[] = {
      {"", LoadFailure::NoNets, "ネットが１つもありません"},
      {"just a comment\r\n", LoadFailure::NoNets, "ネットが１つもありません"},
      {"\xE9\x83\xA8\xE5\x93\x81\xE3\x83\xA1\xE3\x83\xA2\n", LoadFailure::NoNets,
       "ネットが１つもありません"},  // UTF-8 text without a byte-order mark
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), LoadFailure::NotText,
       "テキストのネットリストではありません"},
      {std::string(300, '\xFF'), LoadFailure::NotText, "テキストのネットリストではありません"},
      {std::string(40, '\x01') + "A[R1-1]\r\n", LoadFailure::NotText,
       "テキストのネットリストではありません"},
      {stray, LoadFailure::None, ""},
      {lateNul, LoadFailure::None, ""},  // only the start of a file is looked at
  };
  for (const auto& c : cases) {
    Design d;
    ASSERT_TRUE(LoadNetlistText(d, u"KEEP[U9-1]\r\n").ok());
    const LoadResult r = LoadNetlistBytes(d, c.bytes);
    EXPECT_EQ(r.failure, c.failure) << c.bytes;
    if (r.ok()) {
      EXPECT_EQ(d.NetTable.at(1, 0), u"A");
      continue;
    }
    EXPECT_EQ(r.line, 0) << c.bytes;  // not the line of the first odd byte
    EXPECT_NE(ToUtf8(LoadFailureMessage(r, u"x.NET")).find(c.says), std::string::npos);
    EXPECT_EQ(d.NetCount, 1);
    EXPECT_EQ(d.NetTable.at(1, 0), u"KEEP");
  }
}

TEST(LoadNetlist, ByteOrderMarks) {
  Design d;
  ASSERT_TRUE(LoadNetlistBytes(d, "\xEF\xBB\xBF\xE8\xA1\xA8[U1-1]\r\nB\xFF[U2-1]\r\n").ok());
  EXPECT_EQ(d.NetTable.at(1, 0), u"表");  // UTF-8, the mark not part of the name
  EXPECT_EQ(d.NetTable.at(2, 0), u"B\uFFFD");
  EXPECT_EQ(LoadNetlistBytes(d, "\xEF\xBB\xBF\xEF\xBF\xBD[U1-1]").invalidBytes, 0u);
  for (const char* utf16 : {"\xFF\xFEN\0[\0U\0", "\xFE\xFF\0N\0[\0U"}) {
    const auto r = LoadNetlistBytes(d, std::string(utf16, 8));
    EXPECT_EQ(r.failure, LoadFailure::Utf16);
    EXPECT_NE(
        ToUtf8(LoadFailureMessage(r, u"x.NET")).find("UTF-16 で保存されたファイルです。Shift_JIS"),
        std::string::npos);
  }
  EXPECT_EQ(d.NetTable.at(1, 0), u"\uFFFD");  // the last good load stays
}

TEST(LoadNetlist, NetOf399PinsLoads) {
  Design d;
  const auto r = LoadNetlistText(d, u"A[U0-1\r\n" + PinLines(1, 397) + u"X-1]\r\n");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(d.NetTable.at(1, 1), u"399");
  EXPECT_EQ(d.NetTable.at(1, 400), u"X-1");
}

TEST(LoadNetlist, LineSlotAndNetRowLimits) {
  std::u16string oneLineNets;
  for (int i = 1; i <= 1000; ++i) oneLineNets += u"N" + IntText(i) + u"[U1-1]\r\n";
  {
    Design d;  // 1000 one-line nets take exactly 2000 slots
    const auto r = LoadNetlistText(d, oneLineNets);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(d.NetCount, 1000);
  }
  {
    Design d;  // not even an empty line may follow
    const auto r = LoadNetlistText(d, oneLineNets + u"\r\n");
    EXPECT_EQ(r.failure, LoadFailure::TooManyLineSlots);
    EXPECT_EQ(r.line, 1001);
  }
  {
    Design d;  // 1000 two-line nets need 3000 slots
    std::u16string text;
    for (int i = 1; i <= 1000; ++i) text += u"N" + IntText(i) + u"[U1-1\r\nU2-1]\r\n";
    EXPECT_EQ(LoadNetlistText(d, text).failure, LoadFailure::TooManyLineSlots);
    EXPECT_EQ(d.NetCount, 0);
  }
  {
    Design d;  // an opening line needs two free slots
    std::u16string text = PinLines(1, 1999) + u"A[U1-1]\r\n";
    EXPECT_EQ(LoadNetlistText(d, text).failure, LoadFailure::TooManyLineSlots);
  }
}

TEST(LoadNetlist, TotalPinsAreSummedAndAbove2000ShowOvr) {
  Design d;
  const auto r = LoadNetlistText(d, u"A[U1-1\r\nU2-1]\r\nB[U3-1]\r\nC[U4-1\r\nU5-1\r\nU6-1]\r\n");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.totalPins, 6);
  // Within 2000 line slots the reader cannot reach more than 2000 pins; the flag
  // itself switches above 2000.
  EXPECT_EQ(PinTotalStatus(2000), u"OK");
  EXPECT_EQ(PinTotalStatus(2001), u"OVR");
}

TEST(LoadNetlist, ReloadEmptiesThePreviousNets) {
  Design d;
  ASSERT_TRUE(LoadNetlistText(d, u"A[U1-1\r\nU2-1\r\nU3-1]\r\nB[U4-1]\r\n").ok());
  ASSERT_TRUE(LoadNetlistText(d, u"C[U9-1]\r\n").ok());
  EXPECT_EQ(d.NetCount, 1);
  ExpectNet(d, 1, {u"C", u"1", {u"U9-1"}});
  EXPECT_EQ(d.NetTable.at(2, 0), u"");
  EXPECT_EQ(d.PinPartTable.at(2, 2), u"");
}

TEST(LoadNetlist, DecodesCodePage932BeforeLookingForBrackets) {
  // "ゼ" is 0x83 0x5B: its trail byte is "[" but it is no net opening.
  Design d;
  const std::string bytes = "\x83\x5B\x95\x5C[U1-1]\r\n";
  const auto r = LoadNetlistBytes(d, bytes);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(d.NetTable.at(1, 0), u"ゼ表");
  EXPECT_EQ(d.NetTable.at(1, 2), u"U1-1");
}

TEST(LoadNetlist, InvalidBytesAreReplacedNotFatal) {
  Design d;
  const auto r = LoadNetlistBytes(d, std::string("N\xFF[U1-1]\r\n\x80\r\n", 12));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.invalidBytes, 2u);
  EXPECT_EQ(d.NetTable.at(1, 0), u"N\uFFFD");
}

TEST(LoadNetlist, HostileInputsEndCleanly) {
  std::vector<std::string> inputs;
  std::string random(1 << 20, '\0');
  unsigned seed = 12345;
  for (char& c : random) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  inputs.push_back(random);
  inputs.push_back(std::string(4096, '\0'));
  inputs.push_back(std::string(2 << 20, 'A'));         // one 2 MB line
  inputs.push_back("\"" + std::string(1 << 20, ','));  // unterminated quote
  inputs.push_back(std::string(4 << 20, '\n'));        // 4 MB of empty lines
  std::string many;
  for (int i = 0; i < 300000; ++i) many += "N[U1-1\r\n";
  inputs.push_back(many);
  for (const auto& bytes : inputs) {
    Design d;
    const auto r = LoadNetlistBytes(d, bytes);
    EXPECT_GE(d.NetCount, 0);
    EXPECT_LE(d.NetCount, kMaxNets);
    if (!r.ok()) {
      EXPECT_FALSE(LoadFailureMessage(r, u"x.NET").empty());
    }
  }
}

TEST(LoadFailureMessage, NamesFileLineAndReason) {
  LoadResult r;
  r.failure = LoadFailure::TooManyNets;
  r.line = 2001;
  const Text m = LoadFailureMessage(r, u"/home/a/board.NET");
  EXPECT_NE(m.find(u"/home/a/board.NET"), Text::npos);
  EXPECT_NE(m.find(u"2001"), Text::npos);
  EXPECT_NE(m.find(u"ネット数が上限（1000）を超えています。"), Text::npos);

  // Past the line slots, the file's line and the slots it needs are told apart.
  r.failure = LoadFailure::TooManyLineSlots;
  r.line = 6247;
  r.needs.lineSlots = 2336;
  const Text slots = LoadFailureMessage(r, u"board.net");
  EXPECT_NE(slots.find(u"\nファイルの行: 6247\n"), Text::npos) << ToUtf8(slots);
  EXPECT_NE(slots.find(u"\nこのファイルに必要な表の行: 2336 行分（"), Text::npos) << ToUtf8(slots);
}

}  // namespace
}  // namespace pcbprep
