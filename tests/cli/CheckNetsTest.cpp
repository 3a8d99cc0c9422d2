#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "check/NetCheck.h"
#include "cli/CliSupport.h"
#include "cli/CliTestSupport.h"
#include "netlist/NetlistReader.h"

namespace pcbprep::testing {
namespace {

using Json = nlohmann::json;

// Two resistors between two nets with a part each: nothing to report.
constexpr char kClean[] = "A[R1-1\nU1-1\nR2-1]\nB[R1-2\nU1-2\nR2-2]\n";

NetCheckResult CoreCheck(const std::string& path) {
  Design design;
  EXPECT_TRUE(LoadNetlistFile(design, path).ok());
  return RunExtendedNetCheck(design);
}

TEST_F(CheckCommand, CheckPrintsTheWindowsReportAndCountsAndExitsByFindings) {
  // The sample has R8 with both pins on FB (a short) and SPARE with J1-1 alone.
  const struct {
    std::string file;
    int code;
    int open, shorted, duplicate, isolated;
  } cases[] = {
      {kSample, 1, 0, 1, 0, 1},
      {netlist("clean.NET", kClean), 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const NetCheckResult core = CoreCheck(c.file);

    const CliResult text = RunCli({"check", c.file});
    EXPECT_EQ(text.code, c.code);
    EXPECT_EQ(text.out, cli::TerminalText(core.reportText) + "オープン: " + std::to_string(c.open) +
                            "\nショート: " + std::to_string(c.shorted) +
                            "\n重複PIN: " + std::to_string(c.duplicate) +
                            "\n孤立PIN: " + std::to_string(c.isolated) + "\n");
    EXPECT_EQ(text.err, "");

    const CliResult json = RunCli({"check", "--json", c.file});
    EXPECT_EQ(json.code, c.code);
    const Json doc = Json::parse(json.out);
    EXPECT_EQ(doc["report"].get<std::string>(), ToUtf8(core.reportText));  // CR LF kept
    EXPECT_EQ(doc["counts"], (Json{{"open", c.open},
                                   {"short", c.shorted},
                                   {"duplicate", c.duplicate},
                                   {"isolated", c.isolated}}));
    EXPECT_EQ(doc["findings"], c.open + c.shorted + c.duplicate + c.isolated);
    EXPECT_EQ(doc["file"], c.file);
  }
}

TEST_F(NetlistCommands, NetlistsThatCannotBeLoadedFailWithTheWindowsMessage) {
  const std::string broken = netlist("broken.NET", "A[R1-1\nR2]\n");
  const std::string missing = path("missing.NET").string();
  const std::string fifo = path("pipe.NET").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string file;
    const char* reason;
  } cases[] = {
      {broken, "行: 2\n理由: ピン名に「-」がありません"},
      {missing, "理由: ファイルを開けないか、読み込めません。"},
      {path("").string(), "ディレクトリです"},
      {fifo, "FIFO"},  // refused at once, never waiting for a writer
      {"/dev/zero", "デバイスです"},
      {"/proc/self/mem", "入出力エラー"},
      {write("utf16.NET", std::string("\xFF\xFE"
                                      "A\0[\0U\0",
                                      8)),
       "UTF-16 で保存された"},
  };
  for (const auto& c : cases) {
    for (const char* command : {"check", "nets", "parts", "image"}) {
      SCOPED_TRACE(std::string(command) + " " + c.file);
      const CliResult r = RunCli({command, c.file});
      EXPECT_EQ(r.code, cli::kExitFailure);
      EXPECT_EQ(r.out, "");
      EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    }
  }
}

TEST_F(NetlistCommands, JsonOutputStaysValidForAnyFileName) {
  const std::string file = netlist("bad\xFFname.NET", kClean);
  for (const char* command : {"check", "nets", "parts"}) {
    const CliResult r = RunCli({command, "--json", file});
    ASSERT_EQ(r.code, 0) << command << r.err;
    const Json doc = Json::parse(r.out);
    EXPECT_NE(doc["file"].get<std::string>().find("bad\uFFFDname.NET"), std::string::npos);
  }
}

TEST_F(NetlistCommands, AFileWithoutNetsOrNotTextFailsEveryCommand) {
  const struct {
    std::string file;
    const char* says;
  } cases[] = {
      {write("empty.NET", ""), "ネットが１つもありません"},
      {write("notes.NET", "just some text\r\n"), "ネットが１つもありません"},
      {write("nul.NET", std::string(64, '\0')), "テキストのネットリストではありません"},
  };
  for (const auto& c : cases) {
    for (const char* command : {"check", "nets", "parts", "image"}) {
      const CliResult r = RunCli({command, c.file});
      EXPECT_EQ(r.code, cli::kExitFailure) << command << " " << c.file;
      EXPECT_NE(r.err.find(c.says), std::string::npos) << command << r.err;
      EXPECT_EQ(r.out, "") << command;
    }
  }
}

TEST_F(CheckCommand, BytesThatAreNotShiftJisAreReportedButDoNotStopTheLoad) {
  const std::string file = write("odd.NET", "A[R1-1\r\nU1-1]\r\nB\x80[R1-2\r\nU1-2]\r\n");
  const CliResult r = RunCli({"check", file});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.err.find("Shift_JIS として読めないバイトが 1 個"), std::string::npos) << r.err;
}

TEST_F(NetsCommand, NetsGivesTheNetTablesAsTextAndJson) {
  const std::string file = netlist("nets.NET", "VCC[U1-14\nC1-1]\nGND[U1-7\nC1-2\nR1-2]\n");

  const CliResult json = RunCli({"nets", "--json", file});
  ASSERT_EQ(json.code, 0) << json.err;
  const Json doc = Json::parse(json.out);
  EXPECT_EQ(doc["netCount"], 2);
  EXPECT_EQ(doc["pinTotal"], 5);
  EXPECT_EQ(doc["status"], "OK");
  EXPECT_EQ(doc["largestNet"], "GND");
  ASSERT_EQ(doc["nets"].size(), 2u);
  EXPECT_EQ(doc["nets"][1], (Json{{"row", 2},
                                  {"name", "GND"},
                                  {"pinCount", 3},
                                  {"tokens", {"U1-7", "C1-2", "R1-2"}},
                                  {"references", {"U1", "C1", "R1"}},
                                  {"pinNumbers", {"7", "2", "2"}}}));

  const CliResult text = RunCli({"nets", file});
  ASSERT_EQ(text.code, 0);
  // List3's lines (name to 12, count right-aligned to 3), then the pins of each net.
  EXPECT_EQ(text.out.substr(0, 32), "VCC           2\nGND           3\n");
  EXPECT_NE(text.out.find("GND\n        U1-7\tU1\t7\n        C1-2\tC1\t2\n"), std::string::npos);
  EXPECT_NE(text.out.find("PIN数: 5\nネット数: 2\n呼込: OK\n最大ネット: GND\n"), std::string::npos);
}

// Another format: nets --json names it and what was dropped, parts takes the footprints
// on request, and convert writes the bracket format, refusing what it cannot hold.
TEST_F(NetlistCommands, AnyFormatIsReadAndConvertWritesTheBracketFormat) {
  const std::string pads = write("board.asc",
                                 "*PADS-PCB*\r\n*PART*\r\nR1 RES@R0603\r\nU-1 SO8\r\n*NET*\r\n"
                                 "*SIGNAL* GND\r\nR1.2 U-1.4 #PWR.1\r\n*SIGNAL* 電源\r\nR1.1\r\n"
                                 "*END*\r\n");
  const CliResult nets = RunCli({"nets", pads, "--json"});
  ASSERT_EQ(nets.code, 0) << nets.err;
  const auto json = nlohmann::json::parse(nets.out);
  EXPECT_EQ(json["format"], "pads");
  EXPECT_EQ(json["encoding"], "UTF-8");
  EXPECT_EQ(json["dropped"]["flagPins"], 1);
  EXPECT_EQ(json["netCount"], 2);
  EXPECT_EQ(json["parts"][0]["footprint"], "R0603");

  const CliResult parts = RunCli({"parts", pads, "--footprints-from-netlist", "--json"});
  ASSERT_EQ(parts.code, 0) << parts.err;
  EXPECT_NE(parts.out.find("\"R0603\""), std::string::npos) << parts.out;

  const CliResult refused = RunCli({"convert", pads, "-o", path("b.NET").string()});
  EXPECT_EQ(refused.code, cli::kExitFailure);
  EXPECT_NE(refused.err.find("部品番号「U-1」"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(path("b.NET")));

  const CliResult safe = RunCli({"convert", pads, "-o", path("b.NET").string(), "--safe-names"});
  ASSERT_EQ(safe.code, 0) << safe.err;
  EXPECT_EQ(safe.out, "U-1 -> U_1\n");
  EXPECT_EQ(ReadBytes(path("b.NET")), "GND[R1-2\r\nU_1-4]\r\n\x93\x64\x8C\xB9[R1-1]\r\n");
  const CliResult back = RunCli({"nets", path("b.NET").string(), "--json"});
  ASSERT_EQ(back.code, 0) << back.err;
  EXPECT_EQ(nlohmann::json::parse(back.out)["format"], "bracket");
}

TEST_F(CheckCommand, EveryNetlistCommandReadsTheLargeTablesWithLarge) {
  std::string wide = "GND[U0-1\n";
  for (int p = 1; p <= 398; ++p) wide += "C" + std::to_string(p) + "-2\n";
  const std::string file = netlist("wide.NET", wide + "X1-1]\n");
  for (const char* command : {"check", "nets", "parts", "image"}) {
    SCOPED_TRACE(command);
    const CliResult standard = RunCli({command, file});
    EXPECT_EQ(standard.code, 2);
    EXPECT_NE(standard.err.find("１ネットのピン数が上限（399）を超えています。"),
              std::string::npos);
    EXPECT_NE(standard.err.find("ネット GND のピン数 400"), std::string::npos);
    EXPECT_NE(standard.err.find("--large"), std::string::npos);

    const CliResult large = RunCli({command, file, "--large"});
    EXPECT_NE(large.code, 2) << large.err;
  }
  EXPECT_NE(RunCli({"nets", file, "--large"}).out.find("PIN数: 400\nネット数: 1\n呼込: OK"),
            std::string::npos);
}

}  // namespace
}  // namespace pcbprep::testing
