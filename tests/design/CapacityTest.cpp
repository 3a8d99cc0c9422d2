#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "check/NetCheck.h"
#include "design/CodePage.h"
#include "design/FileIO.h"
#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "symbol/PartListFile.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {
namespace {

Text Lines(int count, const std::function<Text(int)>& line) {
  Text text;
  for (int i = 1; i <= count; ++i) text += line(i) + u"\r\n";
  return text;
}

// What a netlist gives in one capacity: the refusal message, or nothing when it loads
// and its parts fit.
std::optional<Text> Refusal(TextView netlist, const Capacity& capacity, Design& d) {
  const LoadResult load = LoadNetlistText(d, netlist, capacity);
  if (!load.ok()) return LoadFailureMessage(load, u"big.NET");
  const SymbolAssignment symbols = AssignSymbolNames(d, InitialSymbolSizes());
  if (!symbols.fits) return TooManyPartsMessage(symbols.referencesFound, capacity.parts);
  return std::nullopt;
}

TEST(Capacity, EachStandardLimitRefusesNamingItAndTheLargeTablesLoad) {
  const struct {
    const char* limit;
    Text netlist;
    std::vector<Text> named;  // in the standard refusal
    int nets;                 // in the large tables
    int parts;
  } cases[] = {
      // Closing lines alone take one slot per net, so only the net rows run out.
      {"nets",
       Lines(1001, [](int) { return Text(u"U1-1]"); }),
       {u"ネット数が上限（1000）を超えています。", u"1001 ネット"},
       1001,
       0},
      {"pins of one net",
       u"GND[U0-1\r\n" + Lines(398, [](int i) { return u"C" + IntText(i) + u"-2"; }) + u"X1-1]\r\n",
       {u"１ネットのピン数が上限（399）を超えています。", u"ネット GND のピン数 400"},
       1,
       400},
      {"line slots",
       Lines(1000, [](int i) { return u"N" + IntText(i) + u"[U1-1\r\nU2-1]"; }),
       {u"行数が上限（2000 行分）を超えています。", u"3000 行分"},
       1000,
       2},
      // 1001 references in 1502 line slots: the file loads, its parts do not fit.
      {"parts",
       Lines(500,
             [](int i) {
               return u"N" + IntText(i) + u"[R" + IntText(2 * i) + u"-1\r\nR" + IntText(2 * i + 1) +
                      u"-1]";
             }) +
           u"L[U1-1]\r\n",
       {u"1001", u"1000 個までです"},
       501,
       1001},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    Design standard;
    const std::optional<Text> refused = Refusal(c.netlist, kStandardCapacity, standard);
    ASSERT_TRUE(refused.has_value());
    for (const Text& named : c.named)
      EXPECT_NE(refused->find(named), Text::npos) << ToUtf8(*refused);

    Design large;
    EXPECT_FALSE(Refusal(c.netlist, kLargeCapacity, large).has_value());
    EXPECT_EQ(large.NetCount, c.nets);
    EXPECT_EQ(large.PartCount, c.parts);
  }
}

// Everything the operations leave, as text: lists, counts, report, cells, the files.
std::vector<std::string> Results(const std::string& bytes, const Capacity& capacity) {
  std::vector<std::string> out;
  auto add = [&](const auto& texts) {
    for (const Text& t : texts) out.push_back(ToUtf8(t));
  };
  Design d;
  const LoadResult load = LoadNetlistBytes(d, bytes, capacity);
  if (!load.ok()) return {"refused " + ToUtf8(LoadFailureMessage(load, u"f"))};
  out.push_back(std::to_string(d.NetCount) + " " + std::to_string(load.totalPins) + " " +
                ToUtf8(load.status) + " " + ToUtf8(load.largestNet));
  add(NetListItems(d));
  add(NetPinListItems(d));
  const NetCheckResult check = RunExtendedNetCheck(d);
  out.push_back(ToUtf8(check.reportText) + std::to_string(check.openCount) +
                std::to_string(check.shortCount) + std::to_string(check.duplicateCount) +
                std::to_string(check.isolatedCount));

  ListBoxState list1;
  std::vector<Text> choices;
  const SymbolAssignment symbols = RunSymbolAssignment(d, InitialSymbolSizes(), choices, list1);
  out.push_back(std::to_string(symbols.fits) + " " + std::to_string(symbols.undefinedCount));
  add(choices);
  IgnoreNetList skip = InitialSkipNets();
  skip[0] = load.largestNet;
  RunMainPartAssignment(d, skip, list1);
  RunGrouping(d, kGroupByHundreds, list1, [] { return false; });
  add(list1.items);
  for (const bool byMainPart : {true, false}) {
    const CoordinateResult placed = RunCoordinateDetermination(d, byMainPart, !byMainPart, list1);
    out.push_back(std::to_string(placed.written) + ToUtf8(placed.part));
    add(list1.items);
  }
  out.push_back(PartListBytes(d).bytes);
  return out;
}

TEST(Capacity, FilesThatFitTheStandardTablesGiveTheSameResultsInTheLargeOnes) {
  std::vector<std::filesystem::path> files{std::filesystem::path(PCBPREP_EXAMPLES_DIR) /
                                           "sample.NET"};
  for (const auto& entry : std::filesystem::directory_iterator(PCBPREP_NETLIST_CORPUS_DIR)) {
    files.push_back(entry.path());
  }
  int compared = 0;
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    const FileReadResult read = ReadWholeFile(file.string());
    ASSERT_TRUE(read.ok());
    const std::vector<std::string> standard = Results(read.bytes, kStandardCapacity);
    if (standard.size() == 1) continue;  // past the standard tables
    EXPECT_EQ(standard, Results(read.bytes, kLargeCapacity));
    ++compared;
  }
  EXPECT_GT(compared, 40);  // files without nets or not text are refused in both
}

}  // namespace
}  // namespace pcbprep
