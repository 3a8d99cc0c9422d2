// The IDF files of real designs, read by KiCad's own strict IDF reader (idf2vrml from
// Debian's kicad package), which runs without a display.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "board/IdfBoard.h"
#include "board/PlacedPart.h"
#include "design/FileIO.h"
#include "netlist/NetlistReader.h"
#include "outline/OutlineGenerator.h"
#include "outline/OutlineSettingsFile.h"
#include "placement/Coordinates.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {
namespace {

namespace fs = std::filesystem;

bool HaveIdf2vrml() { return std::system("command -v idf2vrml >/dev/null 2>&1") == 0; }

// Writes the files into a folder of their own and has idf2vrml read them. Empty when
// it read them without a complaint, else what it said.
std::string Idf2vrmlComplaints(const BoardOutput& out, const std::string& name) {
  const fs::path dir =
      fs::temp_directory_path() / ("pcbprep-idf-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const BoardFile& file : out.files) {
    EXPECT_TRUE(WriteFileAtomic((dir / file.path.filename()).string(), file.bytes).ok());
  }
  const fs::path board = dir / out.files.at(0).path.filename();
  const std::string command =
      "cd '" + dir.string() + "' && idf2vrml -f '" + board.filename().string() + "' >said.txt 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream said(dir / "said.txt");
  std::stringstream text;
  text << said.rdbuf();
  // It reports broken rules on lines starting with "*", some with a zero exit status.
  std::string complaints;
  std::string line;
  while (std::getline(text, line)) {
    if (line.rfind("*", 0) == 0 || line.find("Failed") != std::string::npos)
      complaints += line + "\n";
  }
  if (status != 0) complaints += "exit status " + std::to_string(status) + "\n";
  if (!fs::exists(fs::path(board).replace_extension(".wrl"))) complaints += "no model written\n";
  if (complaints.empty()) fs::remove_all(dir);
  return complaints;
}

// A netlist taken through the steps of the window: symbols, main parts, coordinates by
// main part, so parts stand left of and below the board; every third part on the back.
Design Prepared(const std::string& bytes) {
  Design d;
  EXPECT_TRUE(LoadNetlistBytes(d, bytes).ok());
  AssignSymbolNames(d, InitialSymbolSizes());
  AssignMainParts(d, InitialSkipNets());
  DetermineCoordinates(d, true, false);
  for (int row = 3; row <= d.partRows(); row += 3) d.PartTable.set(row, kPartSide, Text(kSideBack));
  d.BoardSizeX = 100;
  d.BoardSizeY = 80;
  return d;
}

std::string FileBytes(const fs::path& path) {
  const FileReadResult read = ReadWholeFile(path.string());
  EXPECT_TRUE(read.ok()) << path;
  return read.bytes;
}

TEST(IdfKicadReader, ReadsTheSampleAndTheRealBoards) {
  if (!HaveIdf2vrml()) GTEST_SKIP() << "idf2vrml (Debian's kicad package) is not installed";
  std::vector<std::pair<std::string, std::string>> boards = {
      {"sample", FileBytes(fs::path(PCBPREP_EXAMPLES_DIR) / "sample.NET")}};
  const char* elsewhere = std::getenv("PCBPREP_SHARED_NETLISTS");
  const fs::path shared =
      elsewhere ? fs::path(elsewhere)
                : fs::path(PCBPREP_EXAMPLES_DIR) / ".." / ".." / "shared" / "netlists";
  if (fs::exists(shared)) {
    for (const char* file :
         {"ESP32-PoE_Rev_L1.net", "marzipan.net", "lollipop.net", "servo_original.rpt"}) {
      if (fs::exists(shared / file)) boards.push_back({file, FileBytes(shared / file)});
    }
  } else {
    std::cerr << shared << " is not here: only the sample is read\n";
  }
  // The real boards on the rectangle; parts take the footprints of the default map
  // from the installed libraries where they are there.
  for (const auto& [name, bytes] : boards) {
    const Design d = Prepared(bytes);
    const BoardOutput out = WriteIdfBoard(testing::InputOf(d), name + ".emn");
    EXPECT_EQ(Idf2vrmlComplaints(out, name), "") << name;
  }
}

// The sample on the outline of the sample settings with each corner treatment: arcs,
// chamfers and mounting holes.
TEST(IdfKicadReader, ReadsTheSampleOnEachOutline) {
  if (!HaveIdf2vrml()) GTEST_SKIP() << "idf2vrml (Debian's kicad package) is not installed";
  const Design d = Prepared(FileBytes(fs::path(PCBPREP_EXAMPLES_DIR) / "sample.NET"));
  const std::string settings = FileBytes(fs::path(PCBPREP_EXAMPLES_DIR) / "outline.json");
  for (const char* corner : {"rounded", "chamfered", "square"}) {
    OutlineSettingsInput given{"outline.json",
                               ParseSettingsFile("outline.json", settings),
                               {std::string("corner=") + corner}};
    BoardInput input = testing::InputOf(d);
    input.outline = ReadDbl(GenerateDbl(ReadOutlineSettings(given)).text()).drawing;
    const BoardOutput out = WriteIdfBoard(input, std::string("sample-") + corner + ".emn");
    EXPECT_NE(out.files[0].bytes.find("NPTH BOARD MTG ECAD"), std::string::npos) << corner;
    EXPECT_EQ(Idf2vrmlComplaints(out, corner), "") << corner;
  }
}

}  // namespace
}  // namespace pcbprep
