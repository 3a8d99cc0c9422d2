#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/NetCheck.h"
#include "design/TestDesign.h"
#include "netlist/NetlistReader.h"

namespace pcbprep {
namespace {

using testing::AddNet;

// The non-empty lines of the report between a section title and the next title.
std::vector<std::string> SectionLines(const Text& report, TextView title) {
  std::vector<std::string> lines;
  std::size_t pos = report.find(title);
  if (pos == Text::npos) return lines;
  pos += title.size();
  while (pos < report.size()) {
    std::size_t end = report.find(u"\r\n", pos);
    if (end == Text::npos) end = report.size();
    const Text line = report.substr(pos, end - pos);
    if (line.starts_with(u" [ ")) break;
    if (!line.empty()) lines.push_back(ToUtf8(line));
    pos = end + 2;
  }
  return lines;
}

TEST(ExtendedNetCheck, WorkedExampleReportIsExact) {
  Design d;
  AddNet(d, u"N1", {u"R1-1", u"R1-2", u"U1-3"});
  AddNet(d, u"N2", {u"C1-1"});
  AddNet(d, u"N3", {u"U1-3", u"U2-1"});

  const NetCheckResult r = RunExtendedNetCheck(d);

  EXPECT_EQ(r.reportText,
            u" [ ２端子部品オープン ]\r\n"
            u"N2   C1-1\r\n"
            u"\r\n"
            u"N3   U2-1\r\n"
            u"\r\n"
            u" [ ２端子部品ショート ]\r\n"
            u"\r\n"
            u"N1     R1-1     R1-2\r\n"
            u"\r\n"
            u" [ 部品ピン重複 ]\r\n"
            u"\r\n"
            u"N1  U1-3      N3  U1-3\r\n"
            u"\r\n"
            u" [ 孤立ピン ]\r\n"
            u"N2  C1-1\r\n");
  EXPECT_EQ(r.openCount, 2);
  EXPECT_EQ(r.shortCount, 1);
  EXPECT_EQ(r.duplicateCount, 1);
  EXPECT_EQ(r.isolatedCount, 1);
}

TEST(ExtendedNetCheck, EmptyNetlistGivesFourOkSections) {
  const NetCheckResult r = RunExtendedNetCheck(Design{});
  EXPECT_EQ(r.reportText,
            u" [ ２端子部品オープン ]     OK\r\n\r\n"
            u"\r\n [ ２端子部品ショート ]      OK\r\n\r\n"
            u"\r\n [ 部品ピン重複 ]             OK\r\n\r\n"
            u"\r\n [ 孤立ピン ]                   OK\r\n\r\n");
  EXPECT_EQ(r.openCount + r.shortCount + r.duplicateCount + r.isolatedCount, 0);
}

constexpr TextView kOpen = u"２端子部品オープン ]";
constexpr TextView kShort = u"２端子部品ショート ]";
constexpr TextView kDuplicate = u"部品ピン重複 ]";
constexpr TextView kIsolated = u"孤立ピン ]";

struct SectionCase {
  const char* name;
  std::vector<std::vector<TextView>> nets;  // net name, then tokens
  TextView title;
  std::vector<std::string> lines;
};

void PrintTo(const SectionCase& c, std::ostream* os) { *os << c.name; }

class NetCheckSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(NetCheckSection, ListsExactlyTheFindingsInSlotOrder) {
  const SectionCase& c = GetParam();
  Design d;
  for (const auto& net : c.nets) AddNet(d, net[0], {net.begin() + 1, net.end()});
  const NetCheckResult r = RunExtendedNetCheck(d);
  EXPECT_EQ(SectionLines(r.reportText, c.title), c.lines);
  const bool none = c.lines.size() == 1 && c.lines[0].ends_with("OK");
  const int expectedCount = none ? 0 : static_cast<int>(c.lines.size());
  const int count = c.title == kOpen        ? r.openCount
                    : c.title == kShort     ? r.shortCount
                    : c.title == kDuplicate ? r.duplicateCount
                                            : r.isolatedCount;
  EXPECT_EQ(count, expectedCount);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetCheckSection,
    ::testing::Values(
        SectionCase{
            "TestPointIsNoOpen", {{u"N", u"TP3-1", u"R1-1"}, {u"M", u"R1-2"}}, kOpen, {"     OK"}},
        SectionCase{
            "LowerCaseTestPointIsOpen", {{u"N", u"tp3-1", u"R1-1", u"R1-2"}}, kOpen, {"N   tp3-1"}},
        SectionCase{"AnyPartWithOnePinIsOpen",
                    {{u"N", u"U7-3", u"R1-1"}, {u"M", u"R1-2", u"Q1-1"}},
                    kOpen,
                    {"N   U7-3", "M   Q1-1"}},
        SectionCase{
            "PinNumbersDoNotMatterForOpen", {{u"N", u"U1-1"}, {u"M", u"U1-1"}}, kOpen, {"     OK"}},
        SectionCase{
            "ResistorShort", {{u"N", u"R5-1", u"U1-1", u"R5-2"}}, kShort, {"N     R5-1     R5-2"}},
        SectionCase{"ConnectorArrayAndIcAreNoShort",
                    {{u"N", u"CN2-1", u"CN2-2", u"RA1-1", u"RA1-2", u"U4-1", u"U4-2"}},
                    kShort,
                    {"      OK"}},
        SectionCase{"LedAndVariableResistorShort",
                    {{u"N", u"LED1-1", u"RV1-1", u"LED1-2", u"RV1-2"}},
                    kShort,
                    {"N     LED1-1     LED1-2", "N     RV1-1     RV1-2"}},
        SectionCase{"ThreePinsGiveThreePairsFirstSlotThenSecond",
                    {{u"N", u"R1-1", u"C1-1", u"R1-2", u"C1-2", u"R1-3"}},
                    kShort,
                    {"N     R1-1     R1-2", "N     R1-1     R1-3", "N     C1-1     C1-2",
                     "N     R1-2     R1-3"}},
        SectionCase{"PinsOnDifferentNetsAreNoShort",
                    {{u"N", u"R1-1"}, {u"M", u"R1-2"}},
                    kShort,
                    {"      OK"}},
        SectionCase{"TokenTwiceInOneNetIsListedFromBothSlots",
                    {{u"N", u"U1-3", u"X1-1", u"U1-3"}},
                    kDuplicate,
                    {"N  U1-3      N  U1-3", "N  U1-3      N  U1-3"}},
        SectionCase{
            "TokenInTwoNetsIsListedOnceLowerNetFirst",
            {{u"A", u"X1-1"}, {u"B", u"U1-3"}, {u"C", u"X2-1"}, {u"D", u"X3-1"}, {u"E", u"U1-3"}},
            kDuplicate,
            {"B  U1-3      E  U1-3"}},
        SectionCase{"SameNetAndLaterNetInSlotOrder",
                    {{u"A", u"U1-3", u"U1-3"}, {u"B", u"U1-3"}},
                    kDuplicate,
                    {"A  U1-3      A  U1-3", "A  U1-3      B  U1-3", "A  U1-3      A  U1-3",
                     "A  U1-3      B  U1-3"}},
        SectionCase{"OnlyPinCountOneIsIsolated",
                    {{u"A", u"R1-1"}, {u"B", u"R1-2", u"C1-1"}, {u"C", u"C1-2"}},
                    kIsolated,
                    {"A  R1-1", "C  C1-2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtendedNetCheck, PinCountTextDecidesTheSlots) {
  Design d;
  AddNet(d, u"A", {u"R1-1", u"R1-2"});
  d.NetTable.set(1, 1, u"x");  // unreadable count: the net has no pins for the check
  AddNet(d, u"B", {u"C1-1"});
  d.NetTable.set(2, 1, u"1.0");  // one pin, but not the text "1": not isolated
  const NetCheckResult r = RunExtendedNetCheck(d);
  EXPECT_EQ(r.shortCount, 0);
  EXPECT_EQ(r.openCount, 1);  // C1 alone
  EXPECT_EQ(r.isolatedCount, 0);
}

TEST(ExtendedNetCheck, FullTablesGiveTheFindingsOfTheSlotRules) {
  // 1000 nets of 100 pins: comparing every slot with every other would take minutes.
  Design d;
  for (int n = 1; n <= kMaxNets; ++n) {
    d.NetTable.set(n, 0, u"N" + IntText(n));
    d.NetTable.set(n, 1, u"100");
    for (int c = 2; c <= 101; ++c) {
      const Text reference = u"U" + IntText(n * 1000 + (c + 1) / 2);
      d.NetTable.set(n, c, reference + u"-" + IntText(c % 2));
      d.PinPartTable.set(n, c, reference);
    }
  }
  d.NetCount = kMaxNets;
  const NetCheckResult r = RunExtendedNetCheck(d);
  EXPECT_EQ(r.openCount, 2 * kMaxNets);  // columns 2 and 101 are the lone pins of their parts
  EXPECT_EQ(r.duplicateCount, 0);
}

TEST(ExtendedNetCheck, PinsGivenApartAreComparedByReferenceAndPin) {
  // "U-1" pin "2" and "U" pin "1-2" share the token U-1-2 but are two pins; the bracket
  // format has only the token, so there they stay one.
  const struct {
    const char16_t* file;
    int duplicates;
  } cases[] = {
      {u"*PADS-PCB*\n*NET*\n*SIGNAL* A\nU-1.2 R1.1\n*SIGNAL* B\nU.1-2 R1.2\n*END*\n", 0},
      {u"*PADS-PCB*\n*NET*\n*SIGNAL* A\nU-1.2 R1.1\n*SIGNAL* B\nU-1.2 R1.2\n*END*\n", 1},
      {u"A[U-1-2\r\nR1-1]\r\nB[U-1-2\r\nR1-2]\r\n", 1},
  };
  for (const auto& c : cases) {
    Design d;
    ASSERT_TRUE(LoadNetlistText(d, c.file).ok());
    EXPECT_EQ(RunExtendedNetCheck(d).duplicateCount, c.duplicates) << ToUtf8(c.file);
  }
}

TEST(ExtendedNetCheck, PastTheStandardTablesEachKindListsAThousandAndCountsTheRest) {
  // One net of 1100 pins of one resistor: 604450 shorts; one of 1100 times the same pin:
  // each slot repeats the 1099 others.
  Design d(kLargeCapacity);
  std::vector<Text> resistor;
  std::vector<Text> same(1100, u"U1-1");
  for (int p = 1; p <= 1100; ++p) resistor.push_back(u"R1-" + IntText(p));
  AddNet(d, u"N", resistor);
  AddNet(d, u"M", same);
  const NetCheckResult r = RunExtendedNetCheck(d);
  EXPECT_EQ(r.shortCount, 1100LL * 1099 / 2);
  EXPECT_EQ(r.duplicateCount, 1100LL * 1099);
  EXPECT_EQ(r.openCount, 0);
  const std::vector<std::string> shorts = SectionLines(r.reportText, kShort);
  ASSERT_EQ(shorts.size(), 1001u);
  EXPECT_EQ(shorts[999], "N     R1-1     R1-1001");
  EXPECT_EQ(shorts[1000], "ほか 603450 件（1000 件を超える分は省略）");
  const std::vector<std::string> duplicates = SectionLines(r.reportText, kDuplicate);
  ASSERT_EQ(duplicates.size(), 1001u);
  EXPECT_EQ(duplicates[1000], "ほか 1207900 件（1000 件を超える分は省略）");
  // Within the standard tables nothing is left out, in either capacity.
  Design small(kLargeCapacity);
  AddNet(small, u"N", std::vector<Text>(resistor.begin(), resistor.begin() + 399));
  EXPECT_TRUE(NetsFitStandardTables(small));
  const NetCheckResult full = RunExtendedNetCheck(small);
  EXPECT_EQ(SectionLines(full.reportText, kShort).size(), 399u * 398 / 2);
  EXPECT_EQ(full.reportText.find(u"ほか"), Text::npos);
}

}  // namespace
}  // namespace pcbprep
