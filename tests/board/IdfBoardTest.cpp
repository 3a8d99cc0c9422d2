#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>

#include "Version.h"
#include "board/IdfBoard.h"
#include "board/IdfFile.h"
#include "board/PlacedPart.h"

namespace pcbprep {
namespace {

using testing::IdfPoint;

TEST(IdfBoard, BodySizeFromTheSymbolName) {
  const struct {
    const char16_t* symbol;
    double width, height;  // 0: none
  } cases[] = {
      {u"C1608", 1.6, 0.8}, {u"R2012", 2.0, 1.25}, {u"L3225", 3.2, 2.5}, {u"C1005", 1.0, 0.5},
      {u"R3216", 3.2, 1.6}, {u"TP10", 1.0, 1.0},   {u"TP06", 0.6, 0.6},  {u"RA4-M", 0, 0},
      {u"SOIC-8", 0, 0},    {u"", 0, 0},           {u"1608", 0, 0},      {u"C16080", 0, 0},
      {u"C0008", 0, 0},     {u"TP00", 0, 0},
  };
  for (const auto& c : cases) {
    const std::optional<BodySize> size = BodySizeOfSymbol(c.symbol);
    if (c.width == 0) {
      EXPECT_FALSE(size) << ToUtf8(c.symbol);
      continue;
    }
    ASSERT_TRUE(size) << ToUtf8(c.symbol);
    EXPECT_DOUBLE_EQ(size->width, c.width) << ToUtf8(c.symbol);
    EXPECT_DOUBLE_EQ(size->height, c.height) << ToUtf8(c.symbol);
  }
}

// The area a loop of the file encloses, arcs included, positive counter-clockwise.
double Area(const std::vector<IdfPoint>& loop) {
  OutlineLoop converted;
  for (const IdfPoint& p : loop) converted.points.push_back({{p.x, p.y}, p.angle});
  converted.circle = loop.size() == 2 && std::abs(loop[1].angle) == 360;
  return LoopArea(converted);
}

// A rectangular board with parts on both sides, one without a place and one far
// outside the outline.
Design BoardDesign() {
  Design d;
  d.BoardSizeX = 100;
  d.BoardSizeY = 80;
  const auto place = [&](TextView ref, TextView symbol, TextView x, TextView y, TextView side) {
    testing::AddPlacedPart(d, ref, symbol, x, y, side);
  };
  place(u"R1", u"R2012", u"10", u"5.5", kSideFront);
  place(u"R2", u"R2012", u"20", u"5.5", kSideBack);
  place(u"C1", u"C1608", u"-500", u"-300.25", kSideFront);
  place(u"U1", u"", u"", u"", kSideFront);
  place(u"U 2", u"SOIC 8", u"50", u"40", kSideBack);
  d.SchematicParts = {{u"R2", u"4.7k", u"", u""}, {u"U 2", u"LM 358", u"", u""}};
  return d;
}

// No map, so every part is its own stub footprint, which no library has.
BoardInput WithoutLibraries(const Design& d) {
  BoardInput input = testing::InputOf(d);
  input.footprints = {};
  return input;
}

TEST(IdfBoard, BoardFileCarriesOutlineThicknessAndEveryPart) {
  const Design d = BoardDesign();
  BoardInput input = WithoutLibraries(d);
  input.thickness = 0.8;
  const BoardOutput out = WriteIdfBoard(input, "dir/my board.emn");
  ASSERT_EQ(out.files.size(), 2u);
  EXPECT_EQ(out.files[0].path, "dir/my board.emn");
  EXPECT_EQ(out.files[1].path, "dir/my board.emp");
  for (const BoardFile& file : out.files) {
    EXPECT_EQ(file.bytes.find('#'), std::string::npos) << "no comment lines";
    EXPECT_EQ(file.bytes.back(), '\n');
  }

  const testing::IdfBoardFile board = testing::ReadIdfBoard(out.files[0].bytes);
  EXPECT_EQ(board.sections, (std::vector<std::string>{".HEADER", ".BOARD_OUTLINE", ".PLACEMENT"}));
  ASSERT_EQ(board.header.size(), 7u);
  EXPECT_EQ(board.header[0], "BOARD_FILE");
  EXPECT_EQ(board.header[1], "3.0");
  EXPECT_EQ(board.header[2], std::string("pcbprep ") + kVersionString);
  EXPECT_EQ(board.header[3].size(), 19u) << "YYYY/MM/DD.hh:mm:ss";
  EXPECT_EQ(board.header[5], "my board");
  EXPECT_EQ(board.header[6], "MM");
  EXPECT_DOUBLE_EQ(board.thickness, 0.8);

  ASSERT_EQ(board.outline.size(), 5u);
  for (const IdfPoint& p : board.outline) {
    EXPECT_EQ(p.label, 0);
    EXPECT_TRUE((p.x == 0 || p.x == 100) && (p.y == 0 || p.y == 80)) << p.x << " " << p.y;
  }
  EXPECT_DOUBLE_EQ(Area(board.outline), 8000) << "counter-clockwise";

  const struct {
    const char *geometry, *partNumber, *reference;
    double x, y;
    const char *side, *status;
  } expected[] = {
      {"R2012", "R2012", "R1", 10, 5.5, "TOP", "PLACED"},
      {"R2012", "4.7k", "R2", 20, 5.5, "BOTTOM", "PLACED"},
      {"C1608", "C1608", "C1", -500, -300.25, "TOP", "PLACED"},
      {"U1", "U1", "U1", 0, 0, "TOP", "UNPLACED"},
      {"SOIC 8", "LM 358", "U 2", 50, 40, "BOTTOM", "PLACED"},
  };
  ASSERT_EQ(board.placement.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& e = expected[i];
    const auto& p = board.placement[i];
    EXPECT_EQ(p.geometry, e.geometry);
    EXPECT_EQ(p.partNumber, e.partNumber);
    EXPECT_EQ(p.reference, e.reference);
    EXPECT_DOUBLE_EQ(p.x, e.x) << e.reference;
    EXPECT_DOUBLE_EQ(p.y, e.y) << e.reference;
    EXPECT_EQ(p.offset, 0);
    EXPECT_EQ(p.rotation, 0);
    EXPECT_EQ(p.side, e.side);
    EXPECT_EQ(p.status, e.status);
  }
  EXPECT_NE(out.files[0].bytes.find("\"my board\" MM\n"), std::string::npos);
  EXPECT_NE(out.files[0].bytes.find("\"SOIC 8\" \"LM 358\" \"U 2\"\n"), std::string::npos);
}

TEST(IdfBoard, LibraryHasOneOutlinePerPackageAndPartNumber) {
  const Design d = BoardDesign();
  const BoardOutput out = WriteIdfBoard(WithoutLibraries(d), "b.emn");
  const testing::IdfLibraryFile library = testing::ReadIdfLibrary(out.files[1].bytes);
  ASSERT_GE(library.header.size(), 5u);
  EXPECT_EQ(library.header[0], "LIBRARY_FILE");
  const struct {
    const char *geometry, *partNumber;
    double width, height;
  } expected[] = {
      {"R2012", "R2012", 2.0, 1.25}, {"R2012", "4.7k", 2.0, 1.25},
      {"C1608", "C1608", 1.6, 0.8},  {"U1", "U1", 2, 2},
      {"SOIC 8", "LM 358", 2, 2},
  };
  EXPECT_EQ(library.outlines.size(), std::size(expected));
  for (const auto& e : expected) {
    const auto found = library.outlines.find({e.geometry, e.partNumber});
    ASSERT_NE(found, library.outlines.end()) << e.geometry << " " << e.partNumber;
    const testing::IdfOutline& outline = found->second;
    EXPECT_EQ(outline.units, "MM");
    EXPECT_DOUBLE_EQ(outline.height, 1);
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const IdfPoint& p : outline.points) {
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    EXPECT_DOUBLE_EQ(maxX - minX, e.width) << e.geometry;
    EXPECT_DOUBLE_EQ(maxY - minY, e.height) << e.geometry;
    EXPECT_DOUBLE_EQ(minX + maxX, 0) << "centred";
    EXPECT_NEAR(Area(outline.points), e.width * e.height, 1e-9) << e.geometry;
  }
}

TEST(IdfBoard, BoardWithoutSizeIsRefused) {
  Design d = BoardDesign();
  d.BoardSizeY = 0;
  EXPECT_THROW(WriteIdfBoard(WithoutLibraries(d), "b.emn"), BoardError);
}

// Outlines as the drawing gives them: edges in any order and direction.
std::vector<DblEdge> Rounded(double w, double h, double r) {
  return {DblLine{23, 1, {r, 0}, {w - r, 0}}, DblArc{23, 1, {r, r}, r, 180, 90},
          DblLine{23, 1, {w, r}, {w, h - r}}, DblArc{23, 1, {w - r, r}, r, 270, 90},
          DblLine{23, 1, {0, r}, {0, h - r}}, DblArc{23, 1, {w - r, h - r}, r, 0, 90},
          DblLine{23, 1, {r, h}, {w - r, h}}, DblArc{23, 1, {r, h - r}, r, 90, 90}};
}

std::vector<DblEdge> Chamfered(double w, double h, double r) {
  return {DblLine{23, 1, {r, 0}, {w - r, 0}}, DblLine{23, 1, {0, r}, {r, 0}},
          DblLine{23, 1, {w, r}, {w, h - r}}, DblLine{23, 1, {w - r, 0}, {w, r}},
          DblLine{23, 1, {0, r}, {0, h - r}}, DblLine{23, 1, {0, h - r}, {r, h}},
          DblLine{23, 1, {r, h}, {w - r, h}}, DblLine{23, 1, {w - r, h}, {w, h - r}}};
}

TEST(OutlineLoops, RoundedAndChamferedBoardsBecomeOneCounterClockwiseLoop) {
  const double w = 120, h = 80.5, r = 3;
  const struct {
    const char* name;
    std::vector<DblEdge> edges;
    double area;
    double arcAngle;  // of every arc as the loop runs; 0 for none
  } cases[] = {
      {"rounded", Rounded(w, h, r), w * h - (4 - std::numbers::pi) * r * r, 90},
      {"chamfered", Chamfered(w, h, r), w * h - 2 * r * r, 0},
  };
  std::mt19937 random(32);
  for (const auto& c : cases) {
    for (int shuffle = 0; shuffle < 3; ++shuffle) {
      std::vector<DblEdge> edges = c.edges;
      if (shuffle > 0) std::shuffle(edges.begin(), edges.end(), random);
      const LoopResult result = OrderOutlineLoops(edges);
      ASSERT_FALSE(result.open) << c.name;
      ASSERT_EQ(result.loops.size(), 1u) << c.name;
      const OutlineLoop& loop = result.loops[0];
      EXPECT_EQ(loop.points.size(), 9u) << c.name;
      EXPECT_EQ(loop.points.front().at, loop.points.back().at) << c.name;
      EXPECT_NEAR(LoopArea(loop), c.area, 1e-6) << c.name;
      int arcs = 0;
      for (const LoopPoint& p : loop.points) {
        if (p.angle == 0) continue;
        ++arcs;
        EXPECT_NEAR(p.angle, c.arcAngle, 1e-9) << c.name << ": corners turn the loop's way";
      }
      EXPECT_EQ(arcs, c.arcAngle == 0 ? 0 : 4) << c.name;
    }
  }
}

TEST(OutlineLoops, CutOutsRunClockwiseAfterTheOutline) {
  // A slot given counter-clockwise before the board, which is given clockwise, and a
  // round hole in the board.
  std::vector<DblEdge> edges = {
      DblLine{23, 1, {40, 10}, {60, 10}}, DblLine{23, 1, {60, 10}, {60, 20}},
      DblLine{23, 1, {60, 20}, {40, 20}}, DblLine{23, 1, {40, 20}, {40, 10}},
      DblArc{23, 1, {80, 40}, 5, 0, 360},
  };
  for (const DblEdge& edge : Chamfered(100, 50, 2)) {
    DblLine line = std::get<DblLine>(edge);
    std::swap(line.from, line.to);
    edges.push_back(line);
  }
  const LoopResult result = OrderOutlineLoops(edges);
  ASSERT_EQ(result.loops.size(), 3u);
  EXPECT_NEAR(LoopArea(result.loops[0]), 5000 - 8, 1e-9);
  EXPECT_TRUE(result.loops[1].circle);
  EXPECT_EQ(result.loops[1].points[0].at, (DblPoint{80, 40}));
  EXPECT_EQ(result.loops[1].points[1].angle, 360);
  EXPECT_NEAR(LoopArea(result.loops[2]), -200, 1e-9);
}

TEST(OutlineLoops, AnOpenOutlineNamesWhereItEnds) {
  std::vector<DblEdge> edges = Chamfered(100, 50, 2);
  edges.erase(edges.begin() + 2);  // the right side
  const LoopResult result = OrderOutlineLoops(edges);
  EXPECT_TRUE(result.loops.empty());
  ASSERT_TRUE(result.open);
  EXPECT_TRUE(*result.open == (DblPoint{100, 2}) || *result.open == (DblPoint{100, 48}));
}

// A board drawing: a rounded outline, two mounting holes and a silk text's frame, which
// is no part of the edge.
TEST(IdfBoard, OutlineAndHolesComeFromTheDrawing) {
  Design d = BoardDesign();
  DblDrawing drawing;
  for (const DblEdge& edge : Rounded(120, 80, 3)) {
    if (const auto* line = std::get_if<DblLine>(&edge)) drawing.lines.push_back(*line);
    if (const auto* arc = std::get_if<DblArc>(&edge)) drawing.arcs.push_back(*arc);
  }
  drawing.arcs.push_back(DblArc{24, 1, {5, 5}, 1.6, 0, 360});
  drawing.arcs.push_back(DblArc{24, 1, {115, 75}, 1.6, 0, 360});
  drawing.lines.push_back(DblLine{17, 1, {10, 10}, {20, 10}});
  BoardInput input = WithoutLibraries(d);
  input.outline = drawing;
  const BoardOutput out = WriteIdfBoard(input, "b.emn");
  const testing::IdfBoardFile board = testing::ReadIdfBoard(out.files[0].bytes);
  EXPECT_EQ(board.sections, (std::vector<std::string>{".HEADER", ".BOARD_OUTLINE", ".DRILLED_HOLES",
                                                      ".PLACEMENT"}));
  ASSERT_EQ(board.outline.size(), 9u);
  EXPECT_NEAR(Area(board.outline), 120 * 80 - (4 - std::numbers::pi) * 9, 1e-3);
  ASSERT_EQ(board.holes.size(), 2u);
  EXPECT_DOUBLE_EQ(board.holes[1].diameter, 3.2);
  EXPECT_DOUBLE_EQ(board.holes[1].x, 115);
  EXPECT_DOUBLE_EQ(board.holes[1].y, 75);
  for (const testing::IdfHole& hole : board.holes) {
    EXPECT_EQ(hole.plating + hole.owner + hole.kind + hole.by, "NPTHBOARDMTGECAD");
  }

  drawing.lines.erase(drawing.lines.begin());  // an outline with a gap
  input.outline = drawing;
  EXPECT_THROW(WriteIdfBoard(input, "b.emn"), BoardError);
}

// Parts whose footprints a library has: the courtyard, else the fabrication drawing,
// in IDF's axes (Y up), with the height the footprint map gives.
TEST(IdfBoard, PackageOutlinesFromTheLibraryAndHeightsFromTheMap) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("pcbprep-idf-library-" + std::to_string(::getpid()));
  fs::create_directories(dir / "Test.pretty");
  const std::pair<const char*, const char*> footprints[] = {
      {"Box", R"((footprint "Box" (layer "F.Cu")
  (fp_line (start -1.5 -1) (end 1.5 -1) (layer "F.CrtYd") (width 0.05))
  (fp_line (start -1.5 1.2) (end 1.5 1.2) (layer "F.CrtYd") (width 0.05))
  (fp_line (start 1.5 -1) (end 1.5 1.2) (layer "F.CrtYd") (width 0.05))
  (fp_line (start -1.5 1.2) (end -1.5 -1) (layer "F.CrtYd") (width 0.05))
  (fp_circle (center 0 0) (end 5 0) (layer "F.Fab") (width 0.1)))
)"},
      {"Half", R"((footprint "Half" (layer "F.Cu")
  (fp_line (start -1 0) (end 1 0) (layer "F.CrtYd") (width 0.05))
  (fp_arc (start 1 0) (mid 0 -1) (end -1 0) (layer "F.CrtYd") (width 0.05)))
)"},
      {"Round", R"((footprint "Round" (layer "F.Cu")
  (fp_circle (center 0.25 0) (end 0.75 0) (layer "F.Fab") (width 0.1)))
)"},
  };
  for (const auto& [name, text] : footprints) {
    std::ofstream(dir / "Test.pretty" / (std::string(name) + ".kicad_mod")) << text;
  }
  Design d;
  d.BoardSizeX = 50;
  d.BoardSizeY = 50;
  testing::AddPlacedPart(d, u"P1", u"BOX", u"10", u"10", kSideFront);
  testing::AddPlacedPart(d, u"P2", u"Test:Half", u"20", u"10", kSideBack);
  testing::AddPlacedPart(d, u"P3", u"Test:Round", u"30", u"10", kSideFront);
  BoardInput input = testing::InputOf(d);
  input.footprints.entries[u"BOX"] = {u"Test:Box", 2.5};
  input.footprintDirs = {dir};
  const BoardOutput out = WriteIdfBoard(input, "b.emn");
  fs::remove_all(dir);
  const testing::IdfLibraryFile library = testing::ReadIdfLibrary(out.files[1].bytes);

  const testing::IdfOutline& box = library.outlines.at({"Box", "BOX"});
  EXPECT_DOUBLE_EQ(box.height, 2.5);
  EXPECT_NEAR(Area(box.points), 3 * 2.2, 1e-9) << "the courtyard, not the fab circle";
  for (const IdfPoint& p : box.points) EXPECT_TRUE(p.y == 1 || p.y == -1.2) << p.y;

  const testing::IdfOutline& half = library.outlines.at({"Half", "Test:Half"});
  EXPECT_DOUBLE_EQ(half.height, 1);
  EXPECT_NEAR(Area(half.points), std::numbers::pi / 2, 1e-9) << "counter-clockwise";
  ASSERT_EQ(half.points.size(), 3u);
  EXPECT_NEAR(std::abs(half.points[1].angle) + std::abs(half.points[2].angle), 180, 1e-9);

  const testing::IdfOutline& round = library.outlines.at({"Round", "Test:Round"});
  ASSERT_EQ(round.points.size(), 2u);
  EXPECT_DOUBLE_EQ(round.points[0].x, 0.25);
  EXPECT_DOUBLE_EQ(round.points[1].angle, 360);
  EXPECT_NEAR(Area(round.points), std::numbers::pi * 0.25, 1e-9);
}

}  // namespace
}  // namespace pcbprep
