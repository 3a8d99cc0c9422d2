#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "CliTestSupport.h"
#include "FootprintSamples.h"
#include "netlist/NetlistReader.h"

namespace pcbprep::testing {
namespace {

using nlohmann::json;

bool HasPcbnew() {
  static const bool has = std::system("/usr/bin/python3 -c 'import pcbnew' >/dev/null 2>&1") == 0;
  return has;
}

// What KiCad's own reader makes of a board (kicad_check.py); null when it could not read it.
json KicadView(const fs::path& board, const std::string& footprintDir = "") {
  const std::string command = "/usr/bin/python3 " PCBPREP_KICAD_CHECK " '" + board.string() + "' " +
                              (footprintDir.empty() ? "" : "'" + footprintDir + "'") + " 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    if (pclose(pipe) != 0) ADD_FAILURE() << "KiCad could not read " << board << ":\n" << output;
  }
  const json view = json::parse(output, nullptr, false);
  return view.is_discarded() ? json() : view;
}

fs::path SharedNetlists() {
  const char* elsewhere = std::getenv("PCBPREP_SHARED_NETLISTS");
  return elsewhere ? fs::path(elsewhere)
                   : fs::path(PCBPREP_EXAMPLES_DIR) / ".." / ".." / "shared" / "netlists";
}

// The part table the same steps give, by reference: its tab-separated columns.
std::map<std::string, std::vector<std::string>> PartTable(const std::string& tsv) {
  std::map<std::string, std::vector<std::string>> rows;
  std::istringstream in(tsv);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1) {
      cells.push_back(line.substr(from, tab - from));
    }
    cells.push_back(line.substr(from));
    rows[cells[0]] = cells;
  }
  return rows;
}

struct Board {
  std::string name;
  std::string netlist;
  std::vector<std::string> steps;  // the part steps, as 'parts' takes them
  std::vector<std::string> extra;  // the board's own options
  double width, height;            // of the outline
  int holes;
  std::string groups;  // "main", "group" or ""
  bool paths = false;  // the netlist links each part to its schematic symbol
};

class KicadBoards : public BoardCommand {
 protected:
  // Writes the board, reads it with KiCad and compares it part by part with the part
  // table and the netlist.
  void check(const Board& b, const std::string& footprintDir = "") {
    SCOPED_TRACE(b.name);
    const fs::path out = path(b.name + ".kicad_pcb");
    std::vector<std::string> args = {"board", b.netlist, "-o", out.string()};
    args.insert(args.end(), b.steps.begin(), b.steps.end());
    args.insert(args.end(), b.extra.begin(), b.extra.end());
    const CliResult written = RunCli(args);
    ASSERT_EQ(written.code, 0) << written.err;
    std::vector<std::string> partsArgs = {"parts", b.netlist, "--tsv"};
    partsArgs.insert(partsArgs.end(), b.steps.begin(), b.steps.end());
    const auto table = PartTable(RunCli(partsArgs).out);

    Design netlist(kLargeCapacity);
    ASSERT_TRUE(LoadNetlistBytes(netlist, ReadBytes(b.netlist), kLargeCapacity).ok());
    std::map<std::pair<std::string, std::string>, std::string> pinNets;
    std::vector<std::string> nets;
    for (int n = 1; n <= netlist.netRows(); ++n) {
      nets.push_back(ToUtf8(netlist.NetTable.at(n, kNetName)));
      for (int c : netlist.pinColumns(n)) {
        pinNets.try_emplace(
            {ToUtf8(netlist.PinPartTable.at(n, c)), ToUtf8(netlist.PinNoTable.at(n, c))},
            nets.back());
      }
    }

    const json view = KicadView(out, footprintDir);
    ASSERT_FALSE(view.is_null());
    EXPECT_EQ(view["nets"].get<std::vector<std::string>>(), nets);
    EXPECT_TRUE(view["closed"].get<bool>());
    EXPECT_NEAR(view["width"].get<double>(), b.width, 1e-3);
    EXPECT_NEAR(view["height"].get<double>(), b.height, 1e-3);
    EXPECT_EQ(view["holes"].size(), static_cast<std::size_t>(b.holes));
    std::size_t parts = 0;
    for (const json& part : view["parts"]) {
      const std::string ref = part["ref"];
      if (!table.contains(ref)) {
        EXPECT_EQ(ref[0], 'H');  // the mounting holes
        continue;
      }
      ++parts;
      const std::vector<std::string>& row = table.at(ref);
      EXPECT_EQ(part["x"].get<double>(), std::atof(row[2].c_str())) << ref;
      EXPECT_EQ(part["y"].get<double>(), std::atof(row[3].c_str())) << ref;
      EXPECT_EQ(part["back"].get<bool>(), row[4] == "1") << ref;
      if (b.paths) {
        EXPECT_TRUE(part["path"].get<std::string>().starts_with("/")) << ref;
      }
      if (part.contains("flippedAsKicad")) {
        EXPECT_TRUE(part["flippedAsKicad"].get<bool>()) << ref;
      }
      std::string group = b.groups == "main" ? row[6] : b.groups == "group" ? row[7] : "";
      if (!group.empty() && group[0] == '*') group.erase(0, 1);
      EXPECT_EQ(part["group"], group) << ref;
      for (const json& pad : part["pads"]) {
        const auto net = pinNets.find({ref, pad[0].get<std::string>()});
        EXPECT_EQ(pad[1], net == pinNets.end() ? "" : net->second) << ref << "-" << pad[0];
      }
    }
    EXPECT_EQ(parts, table.size());
  }
};

TEST_F(KicadBoards, KicadReadsTheSampleAndTheRealBoardsAsPlaced) {
  if (!HasPcbnew())
    GTEST_SKIP()
        << "KiCad's pcbnew module is not installed (scripts/deps.sh kicad kicad-footprints)";
  const std::vector<std::string> byMain = {"--main-parts", "--coordinates", "main"};
  const std::vector<std::string> byGroup = {"--group", "hundreds", "--coordinates", "group"};
  check({"sample-main", kSample, byMain, {"--outline", kSampleSettings}, 120, 80.5, 4, "main"});
  check({"sample-group", kSample, byGroup, {"--board", "80x60"}, 80, 60, 0, "group"});
  // Wider than KiCad's positive quarter: centred on KiCad's origin, still exact.
  const std::string wide = write("wide.json", R"({"Text4": 2500, "Text5": 50})");
  check({"wide", kSample, byMain, {"--outline", wide}, 2500, 50, 4, "main"});
  const fs::path shared = SharedNetlists();
  if (!fs::exists(shared)) {
    std::printf("%s is not here: the real boards are skipped\n", shared.string().c_str());
    return;
  }
  for (const char* file : {"ESP32-PoE_Rev_L1.net", "marzipan.net", "lollipop.net"}) {
    const std::string netlist = (shared / file).string();
    std::vector<std::string> fromNetlist = byMain;
    fromNetlist.push_back("--footprints-from-netlist");
    check({std::string(file) + "-main", netlist, fromNetlist, {}, 100, 100, 0, "main", true});
    check({std::string(file) + "-group", netlist, byGroup, {}, 100, 100, 0, "group", true});
  }
}

TEST_F(KicadBoards, BackPartsFromAPartListAndFootprintsOfEverySyntax) {
  if (!HasPcbnew())
    GTEST_SKIP()
        << "KiCad's pcbnew module is not installed (scripts/deps.sh kicad kicad-footprints)";
  // Every syntax's sample as a library of its own, and parts mapped to them.
  std::string map = "# test libraries\n";
  const std::vector<std::string> symbols = {"C1608", "R1608", "TP06", "L1608"};
  for (std::size_t i = 0; i < std::size(kFootprintSamples); ++i) {
    const fs::path library =
        path("libs") / (std::string("Test") + kFootprintSamples[i].syntax + ".pretty");
    fs::create_directories(library);
    std::ofstream(library / "R_Test.kicad_mod") << kFootprintSamples[i].text;
    map += symbols[i] + ",Test" + kFootprintSamples[i].syntax + ":R_Test\n";
  }
  write("map.csv", map);
  // The part list with every second part on the back.
  ASSERT_EQ(RunCli({"parts", kSample, "--main-parts", "--coordinates", "main", "--csv", "-o",
                    path("list.csv").string()})
                .code,
            0);
  std::istringstream in(ToUtf8(DecodeCp932(ReadBytes(path("list.csv"))).text));
  std::string line, list;
  for (int row = 0; std::getline(in, line); ++row) {
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
    if (row > 0 && row % 2 == 0 && cells.size() > 4) cells[4] = "1";
    for (std::size_t c = 0; c < cells.size(); ++c) list += (c ? "," : "") + cells[c];
    list += "\n";
  }
  write("back.csv", EncodeCp932(FromUtf8(list)).bytes);
  check({"back",
         kSample,
         {"--from-list", path("back.csv").string()},
         {"--footprint-map", path("map.csv").string(), "--footprint-dir", path("libs").string(),
          "--groups", "main"},
         100,
         100,
         0,
         "main"},
        path("libs").string());
}

TEST_F(BoardCommand, SameDesignSameBytesAndOneSummaryLine) {
  const std::vector<std::string> args = {"board", kSample,     "--main-parts",  "--coordinates",
                                         "main",  "--outline", kSampleSettings, "-o"};
  std::vector<std::string> first = args, second = args;
  first.push_back(path("a.kicad_pcb").string());
  second.push_back(path("b.kicad_pcb").string());
  const CliResult a = RunCli(first);
  ASSERT_EQ(a.code, 0) << a.err;
  ASSERT_EQ(RunCli(second).code, 0);
  const std::string bytes = ReadBytes(path("a.kicad_pcb"));
  EXPECT_EQ(bytes, ReadBytes(path("b.kicad_pcb")));
  EXPECT_TRUE(bytes.starts_with("(kicad_pcb (version 20211014) (generator pcbprep)\n"));
  EXPECT_NE(bytes.find("(aux_axis_origin "), std::string::npos);
  EXPECT_NE(a.err.find("KiCad 基板 a.kicad_pcb: 部品 31（ライブラリ "), std::string::npos) << a.err;
  EXPECT_NE(a.err.find("、ネット 20、取付穴 4\n"), std::string::npos) << a.err;
}

TEST_F(BoardCommand, RefusalsWriteNothingAndUnreadableFootprintsBecomeStubs) {
  write("bad-map.csv", "C1608,Lib:C\nR1608\n");
  const fs::path out = path("out.kicad_pcb");
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--footprint-map", path("bad-map.csv").string()}, "bad-map.csv 2 行目: "},
      {{"--outline", path("none.json").string()}, "none.json"},
      {{"--outline", write("wider.json", R"({"Text4": 5000, "Text5": 50})")},
       "KiCad の基板（3000 mm 角まで）に収まりません"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"board", kSample, "-o", out.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(out));
  }
  const CliResult unknown = RunCli({"board", kSample, "-o", path("out.brd").string()});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find(".kicad_pcb"), std::string::npos) << unknown.err;

  // A library file KiCad could not read either: the part becomes a stub, and the file
  // is named.
  fs::create_directories(path("libs/Capacitor_SMD.pretty"));
  write("libs/Capacitor_SMD.pretty/C_0603_1608Metric.kicad_mod", "(footprint \"C\" (pad");
  const CliResult stubbed =
      RunCli({"board", kSample, "-o", out.string(), "--footprint-dir", path("libs").string()});
  ASSERT_EQ(stubbed.code, 0) << stubbed.err;
  EXPECT_NE(stubbed.err.find("C_0603_1608Metric.kicad_mod"), std::string::npos) << stubbed.err;
  EXPECT_NE(stubbed.err.find("読めないフットプリント 1"), std::string::npos) << stubbed.err;
  EXPECT_NE(ReadBytes(out).find("(footprint \"Capacitor_SMD:C_0603_1608Metric\""),
            std::string::npos);
}

}  // namespace
}  // namespace pcbprep::testing
