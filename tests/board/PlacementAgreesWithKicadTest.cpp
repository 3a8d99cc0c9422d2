// The placement CSV and the positions KiCad itself exports for the KiCad board of the
// same design (Debian's pcbnew module): the same parts at the same places and sides.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "board/KicadBoard.h"
#include "board/PlacedPart.h"
#include "board/PlacementFile.h"
#include "design/FileIO.h"
#include "netlist/NetlistReader.h"
#include "placement/Coordinates.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {
namespace {

namespace fs = std::filesystem;

struct Position {
  double x = 0, y = 0, rotation = 0;
  std::string side;
};

std::vector<std::string> CsvCells(const std::string& line) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      cells.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      cells.emplace_back();
    } else if (c != '\r') {
      cells.back() += c;
    }
  }
  return cells;
}

// Reference -> place from a CSV with a caption line (after any "#" lines), columns
// reference, value, package, X, Y, rotation, side.
std::map<std::string, Position> Positions(const std::string& csv) {
  std::map<std::string, Position> positions;
  std::istringstream in(csv);
  std::string line;
  bool caption = true;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (caption) {
      caption = false;
      continue;
    }
    const std::vector<std::string> cells = CsvCells(line);
    if (cells.size() != 7 || cells[3].empty()) continue;  // no place
    positions[cells[0]] = {std::stod(cells[3]), std::stod(cells[4]), std::stod(cells[5]), cells[6]};
  }
  return positions;
}

TEST(PlacementAgreesWithKicad, CsvGivesThePositionsKicadExports) {
  if (std::system("/usr/bin/python3 -c 'import pcbnew' >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "KiCad's pcbnew module (Debian's kicad package) is not installed";
  }
  const FileReadResult sample =
      ReadWholeFile((fs::path(PCBPREP_EXAMPLES_DIR) / "sample.NET").string());
  ASSERT_TRUE(sample.ok());
  Design d;
  ASSERT_TRUE(LoadNetlistBytes(d, sample.bytes).ok());
  AssignSymbolNames(d, InitialSymbolSizes());
  AssignMainParts(d, InitialSkipNets());
  DetermineCoordinates(d, true, false);
  for (int row = 2; row <= d.partRows(); row += 3) d.PartTable.set(row, kPartSide, Text(kSideBack));
  d.PartTable.set(1, kPartX, u"12.25");  // a place off the grid
  d.BoardSizeX = 100;
  d.BoardSizeY = 80;
  const BoardInput input = testing::InputOf(d);

  const fs::path dir =
      fs::temp_directory_path() / ("pcbprep-positions-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const BoardOutput kicad = WriteKicadBoard(input, dir / "board.kicad_pcb");
  ASSERT_TRUE(WriteFileAtomic(kicad.files.at(0).path.string(), kicad.files.at(0).bytes).ok());
  const std::string command = "/usr/bin/python3 " PCBPREP_KICAD_POSITIONS " '" +
                              kicad.files.at(0).path.string() + "' >'" +
                              (dir / "kicad.csv").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const FileReadResult exported = ReadWholeFile((dir / "kicad.csv").string());
  fs::remove_all(dir);
  ASSERT_TRUE(exported.ok());

  const std::map<std::string, Position> ours =
      Positions(WritePlacementCsv(input, "place.csv").files.at(0).bytes);
  std::map<std::string, Position> theirs = Positions(exported.bytes);
  ASSERT_EQ(ours.size(), static_cast<std::size_t>(d.partRows()));
  ASSERT_EQ(theirs.size(), ours.size());
  int back = 0;
  for (const auto& [reference, place] : ours) {
    ASSERT_TRUE(theirs.contains(reference)) << reference;
    const Position& kicadPlace = theirs[reference];
    const bool bottom = kicadPlace.side == "bottom";
    EXPECT_EQ(place.side, bottom ? "Bottom" : "Top") << reference;
    // KiCad 6 gives the X of a bottom part as seen from below.
    EXPECT_NEAR(place.x, bottom ? -kicadPlace.x : kicadPlace.x, 1e-6) << reference;
    EXPECT_NEAR(place.y, kicadPlace.y, 1e-6) << reference;
    EXPECT_NEAR(std::fmod(kicadPlace.rotation, 360), place.rotation, 1e-6) << reference;
    back += bottom ? 1 : 0;
  }
  EXPECT_GT(back, 0);
}

}  // namespace
}  // namespace pcbprep
