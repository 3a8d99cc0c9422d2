#include <map>
#include <nlohmann/json.hpp>

#include "cli/CliTestSupport.h"
#include "netlist/NetlistReader.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep::testing {
namespace {

using Json = nlohmann::json;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// U1 is the main part. C1 sits only on VCC and GND; R1 reaches U1 through SIG, and C2
// reaches R1 through N2 and U1 through GND. GND has the most pins.
constexpr char kSmall[] =
    "VCC[U1-14\nC1-1]\nGND[U1-7\nC1-2\nC2-2]\nSIG[U1-1\nR1-1]\nN2[R1-2\nC2-1]\n";

// The main window's buttons pressed in order on the sample: Command1 with the start
// sizes, then Command6 with the boxes of a fresh load, Command12, Command5.
std::vector<std::string> WindowLines(bool mainParts, bool hundreds, int coordinates) {
  Design d;
  ListBoxState list1;
  std::vector<Text> combo11;
  const LoadResult load = LoadNetlistFile(d, kSample);
  EXPECT_TRUE(load.ok());
  const SymbolSizes sizes{u"C1608", u"R1608", u"RA4-M", u"L1608", u"TP06", u"", u"", u""};
  RunSymbolAssignment(d, sizes, combo11, list1);
  if (mainParts) {
    const IgnoreNetList boxes{load.largestNet, u"", u"", u"", u"VCC", u"", u"", u"", u"", u"GND"};
    RunMainPartAssignment(d, boxes, list1);
  }
  if (hundreds) RunGrouping(d, kGroupByHundreds, list1, [] { return false; });
  if (coordinates > 0) RunCoordinateDetermination(d, coordinates == 1, coordinates == 2, list1);
  std::vector<std::string> lines;
  for (const Text& line : list1.items) lines.push_back(ToUtf8(line));
  return lines;
}

TEST_F(PartsCommand, PartLinesAreTheWindowsListLinesAfterTheSameSteps) {
  const struct {
    std::vector<std::string> args;
    bool mainParts, hundreds;
    int coordinates;  // 0 none, 1 by main part, 2 by group
  } cases[] = {
      {{}, false, false, 0},
      {{"--main-parts"}, true, false, 0},
      {{"--main-parts", "--coordinates", "main"}, true, false, 1},
      {{"--group", "hundreds", "--coordinates", "group"}, false, true, 2},
      {{"--coordinates", "main", "--group", "hundreds", "--main-parts"}, true, true, 1},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"parts", kSample};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = RunCli(args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> expected = WindowLines(c.mainParts, c.hundreds, c.coordinates);
    EXPECT_EQ(expected.size(), 31u);
    EXPECT_EQ(Lines(r.out), expected);
  }
}

TEST_F(PartsCommand, SkippedNetsAreTheFreshWindowsBoxesUnlessGiven) {
  const std::string file = netlist("small.NET", kSmall);
  using Cells = std::map<std::string, std::pair<std::string, std::string>>;  // main, level
  const struct {
    std::vector<std::string> skip;
    Cells expected;
  } cases[] = {
      // Not given: GND (the largest net), VCC and GND.
      {{}, {{"C1", {"", ""}}, {"C2", {"U1", "2"}}, {"R1", {"U1", "1"}}, {"U1", {"*U1", "0"}}}},
      {{"--skip", "VCC"},
       {{"C1", {"U1", "1"}}, {"C2", {"U1", "1"}}, {"R1", {"U1", "1"}}, {"U1", {"*U1", "0"}}}},
      // One empty box ignores only nets without a name.
      {{"--skip", ""},
       {{"C1", {"U1", "1"}}, {"C2", {"U1", "1"}}, {"R1", {"U1", "1"}}, {"U1", {"*U1", "0"}}}},
      {{"--skip", "SIG", "--skip", "VCC", "--skip", "GND"},
       {{"C1", {"", ""}}, {"C2", {"", ""}}, {"R1", {"", ""}}, {"U1", {"*U1", "0"}}}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"parts", "--json", "--main-parts", file};
    args.insert(args.end(), c.skip.begin(), c.skip.end());
    const CliResult r = RunCli(args);
    SCOPED_TRACE(::testing::PrintToString(c.skip));
    ASSERT_EQ(r.code, 0) << r.err;
    Cells cells;
    const Json doc = Json::parse(r.out);
    for (const Json& part : doc["parts"]) {
      cells[part["reference"]] = {part["mainPart"], part["level"]};
    }
    EXPECT_EQ(cells, c.expected);
  }

  std::vector<std::string> eleven{"parts", file};
  for (int i = 0; i <= 10; ++i) eleven.insert(eleven.end(), {"--skip", "N" + std::to_string(i)});
  const CliResult tooMany = RunCli(eleven);
  EXPECT_EQ(tooMany.code, cli::kExitFailure);
  EXPECT_NE(tooMany.err.find("10 個まで"), std::string::npos) << tooMany.err;
}

TEST_F(PartsCommand, SizeOptionsNameTheSymbolsOfTheirPartKinds) {
  const std::string file = netlist(
      "kinds.NET", "A[C1-1\nR1-1\nRA1-1\nL1-1\nTP1-1\nQ1-1\nTR1-1\nD1-1\nLED1-1\nCN1-1\nRV1-1]\n");
  using Symbols = std::map<std::string, std::string>;
  const struct {
    std::vector<std::string> args;
    Symbols expected;
  } cases[] = {
      {{},
       {{"C1", "C1608"},
        {"CN1", ""},
        {"D1", ""},
        {"L1", "L1608"},
        {"LED1", ""},
        {"Q1", ""},
        {"R1", "R1608"},
        {"RA1", "RA4-M"},
        {"RV1", ""},
        {"TP1", "TP06"},
        {"TR1", ""}}},
      {{"--capacitor", "C2012", "--resistor", "R1005", "--resistor-array", "RA8-L", "--coil",
        "L3225", "--test-point", "TP10", "--transistor", "SOT23", "--diode", "SOD123", "--led",
        "LED3216"},
       {{"C1", "C2012"},
        {"CN1", ""},
        {"D1", "SOD123"},
        {"L1", "L3225"},
        {"LED1", "LED3216"},
        {"Q1", "SOT23"},
        {"R1", "R1005"},
        {"RA1", "RA8-L"},
        {"RV1", ""},
        {"TP1", "TP10"},
        {"TR1", "SOT23"}}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"parts", "--json", file};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    const Json doc = Json::parse(r.out);
    Symbols symbols;
    int undefined = 0;
    for (const Json& part : doc["parts"]) {
      symbols[part["reference"]] = part["symbol"];
      undefined += part["symbol"] == "";
    }
    EXPECT_EQ(symbols, c.expected);
    EXPECT_EQ(doc["undefinedSymbols"], undefined);
    EXPECT_EQ(doc["partCount"], 11);
  }
}

TEST_F(PartsCommand, PartTableAsTsvAndJsonCarriesEveryColumn) {
  const std::string file = netlist("small.NET", kSmall);
  const std::vector<std::string> steps{"--main-parts", "--coordinates", "main"};

  std::vector<std::string> args{"parts", "--tsv", file};
  args.insert(args.end(), steps.begin(), steps.end());
  const CliResult tsv = RunCli(args);
  ASSERT_EQ(tsv.code, 0) << tsv.err;
  const std::vector<std::string> rows = Lines(tsv.out);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], "reference\tsymbol\tx\ty\tside\tclass\tmainPart\tgroup\tlevel");
  // The first anchor stands at (-25, 0); its first sub part of level 1 at (-25, 10), the
  // next at (-22, 10).
  EXPECT_EQ(rows[1], "C1\tC1608\t10\t-20\t0\t0\t\t\t");  // unplaced: below the board
  EXPECT_EQ(rows[2], "C2\tC1608\t-22\t10\t0\t0\tU1\t\t2");
  EXPECT_EQ(rows[3], "R1\tR1608\t-25\t10\t0\t0\tU1\t\t1");
  EXPECT_EQ(rows[4], "U1\t\t-25\t0\t0\t2\t*U1\t\t0");

  args[1] = "--json";
  const CliResult json = RunCli(args);
  ASSERT_EQ(json.code, 0) << json.err;
  const Json doc = Json::parse(json.out);
  EXPECT_EQ(doc["file"], file);
  ASSERT_EQ(doc["parts"].size(), 4u);
  const Json& u1 = doc["parts"][3];
  EXPECT_EQ(u1, (Json{{"row", 4},
                      {"reference", "U1"},
                      {"symbol", ""},
                      {"x", "-25"},
                      {"y", "0"},
                      {"side", "0"},
                      {"class", "2"},
                      {"mainPart", "*U1"},
                      {"group", ""},
                      {"level", "0"},
                      {"line", u1["line"]}}));
  const CliResult list = RunCli({"parts", file, "--main-parts", "--coordinates", "main"});
  EXPECT_EQ(Lines(list.out).at(3), u1["line"]);
}

TEST_F(PartsCommand, PartsThatDoNotFitTheTableAreRefused) {
  // 1002 distinct references in three nets of 334 pins.
  std::string text;
  for (int net = 0, r = 1; net < 3; ++net) {
    text += "N" + std::to_string(net) + "[";
    for (int k = 0; k < 334; ++k, ++r) text += (k > 0 ? "\nR" : "R") + std::to_string(r) + "-1";
    text += "]\n";
  }
  const CliResult r = RunCli({"parts", netlist("big.NET", text)});
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("1002"), std::string::npos) << r.err;
}

TEST_F(PartsCommand, BadPartOptionsAreRefused) {
  const std::vector<std::vector<std::string>> cases = {
      {"parts", kSample, "--group", "auto"},
      {"parts", kSample, "--coordinates", "both"},
      {"parts", kSample, "--json", "--tsv"},
      {"parts", kSample, "--skip"},
      {"parts"},
      {"parts", kSample, "extra.NET"},
  };
  for (const auto& args : cases) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.code, cli::kExitFailure) << ::testing::PrintToString(args);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("pcbprep-cli parts --help"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace pcbprep::testing
