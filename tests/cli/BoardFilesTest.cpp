// IDF and the placement files through the board command: the same steps and outline as
// the KiCad board, the thickness, and what the command refuses.
#include <cstdio>
#include <cstring>

#include "CliTestSupport.h"
#include "board/IdfFile.h"

namespace pcbprep::testing {
namespace {

TEST_F(BoardCommand, IdfAndPlacementFilesOfOneCommandLine) {
  const std::vector<std::string> steps = {kSample,     "--main-parts",  "--coordinates", "main",
                                          "--outline", kSampleSettings, "--thickness",   "1.0"};
  const auto run = [&](const std::string& name) {
    std::vector<std::string> args = {"board", "-o", path(name).string()};
    args.insert(args.end(), steps.begin(), steps.end());
    return RunCli(args);
  };
  const CliResult idf = run("board.emn");
  ASSERT_EQ(idf.code, 0) << idf.err;
  EXPECT_NE(idf.err.find("IDF board.emn: 部品 31、"), std::string::npos) << idf.err;
  EXPECT_NE(idf.err.find("、取付穴 4\n"), std::string::npos) << idf.err;
  const IdfBoardFile board = ReadIdfBoard(ReadBytes(path("board.emn")));
  EXPECT_DOUBLE_EQ(board.thickness, 1.0);
  EXPECT_EQ(board.holes.size(), 4u);
  EXPECT_EQ(board.placement.size(), 31u);
  const IdfLibraryFile library = ReadIdfLibrary(ReadBytes(path("board.emp")));
  for (const IdfPlacement& part : board.placement) {
    EXPECT_TRUE(library.outlines.contains({part.geometry, part.partNumber})) << part.reference;
  }

  // The placement files list the same parts at the same places.
  ASSERT_EQ(run("place.csv").code, 0);
  ASSERT_EQ(run("place.pos").code, 0);
  const std::string csv = ReadBytes(path("place.csv"));
  const std::string pos = ReadBytes(path("place.pos"));
  for (const IdfPlacement& part : board.placement) {
    char at[64];
    std::snprintf(at, sizeof at, ",%g,%g,0,%s\r\n", part.x, part.y,
                  part.side == "TOP" ? "Top" : "Bottom");
    const std::size_t row = csv.find("\r\n" + part.reference + ",");
    ASSERT_NE(row, std::string::npos) << part.reference;
    EXPECT_EQ(csv.find(at, row), csv.find("\r\n", row + 2) - std::strlen(at) + 2)
        << part.reference << at;
    EXPECT_NE(pos.find("\n" + part.reference + " "), std::string::npos) << part.reference;
  }
}

TEST_F(BoardCommand, ThicknessOutsideItsRangeIsRefusedAndHelpListsTheFormats) {
  for (const char* thickness : {"0", "-1.6", "nan", "101", "1.6mm"}) {
    const CliResult r =
        RunCli({"board", kSample, "--thickness", thickness, "-o", path("b.emn").string()});
    EXPECT_EQ(r.code, 2) << thickness;
    EXPECT_NE(r.err.find("--thickness"), std::string::npos) << thickness << r.err;
    EXPECT_FALSE(fs::exists(path("b.emn")));
  }
  const CliResult help = RunCli({"board", "--help"});
  for (const char* listed : {".kicad_pcb", ".emn", ".csv", ".pos", "--thickness"}) {
    EXPECT_NE(help.out.find(listed), std::string::npos) << listed;
  }
}

}  // namespace
}  // namespace pcbprep::testing
