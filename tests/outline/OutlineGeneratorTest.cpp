#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outline/DblRecordLines.h"
#include "outline/OutlineGenerator.h"

namespace pcbprep {
namespace {

using Lines = std::vector<std::string>;

OutlineSettings Board(double w = 100, double h = 80) {
  OutlineSettings s;
  s.width = w;
  s.height = h;
  return s;
}

TEST(GenerateDbl, EverythingOffGivesAnEmptyDrawing) {
  OutlineSettings s = Board();
  s.outline = s.wiringArea = s.outlineDimensions = s.holeDimensions = s.holeData = false;
  s.placementGuides = s.resistFrame = s.cornerMarks = s.metalMaskCornerMarks = false;
  s.groundPlane = s.outerLayerPlanes = s.boardName = s.metalMaskText = false;
  s.filmTitles = {};
  EXPECT_EQ(GenerateDbl(s).text(), u"$GRAPHIC/\r\n$END\r\n");
}

TEST(GenerateDbl, RunsTheOutlineStepsInOrderUnderTheirConditions) {
  // Runs of records by layer, "23x4 11x16", CHAR records counted with their TEXT.
  auto layers = [](OutlineSettings s) {
    s.holeData = s.resistFrame = s.cornerMarks = s.metalMaskCornerMarks = false;
    s.groundPlane = s.outerLayerPlanes = s.boardName = false;
    s.filmTitles = {};
    std::vector<std::pair<std::string, int>> runs;
    for (const std::string& line : DrawingRecords(GenerateDbl(s))) {
      const std::size_t at = line.find("LE=");
      if (at == std::string::npos) {
        ++runs.back().second;
        continue;
      }
      const std::size_t from = line.find_first_not_of(' ', at + 3);
      const std::string layer = line.substr(from, line.find(',', from) - from);
      if (runs.empty() || runs.back().first != layer) runs.emplace_back(layer, 0);
      ++runs.back().second;
    }
    std::string out;
    for (const auto& [layer, count] : runs) {
      out += (out.empty() ? "" : " ") + layer + "x" + std::to_string(count);
    }
    return out;
  };
  OutlineSettings s = Board();
  EXPECT_EQ(layers(s), "23x4 11x16 25x18 26x38 49x4");
  s.corner = CornerTreatment::kRounded;
  EXPECT_EQ(layers(s), "23x8 11x16 25x24 26x38 49x4");
  s.corner = CornerTreatment::kNone;
  EXPECT_EQ(layers(s), "11x16 25x18 26x38 49x4");
  s = Board();
  s.holeArrangement = 2;  // eight holes: no hole dimensions, inset wiring area
  EXPECT_EQ(layers(s), "23x4 11x4 25x18 49x4");
  s = Board();
  s.outline = s.outlineDimensions = false;
  EXPECT_EQ(layers(s), "11x16 26x38 49x4");
  s.wiringArea = s.holeDimensions = s.placementGuides = false;
  EXPECT_EQ(layers(s), "");
}

TEST(BoardOutline, SquareCornersAreFourSides) {
  EXPECT_EQ(StepRecords(AppendBoardOutline, Board()),
            (Lines{"LINE: LE= 23,AP= 1, NA=, X= 0, Y= 0, X=  100, Y= 0/",
                   "LINE: LE= 23,AP= 1, NA=, X=  100, Y= 0, X=  100, Y=  80/",
                   "LINE: LE= 23,AP= 1, NA=, X= 0, Y= 0, X= 0, Y= 80/",
                   "LINE: LE= 23,AP= 1, NA=, X= 0, Y=  80, X=  100, Y=  80/"}));
}

TEST(BoardOutline, RoundedCornersAlternateSidesAndArcs) {
  OutlineSettings s = Board();
  s.corner = CornerTreatment::kRounded;
  EXPECT_EQ(StepRecords(AppendBoardOutline, s),
            (Lines{"LINE: LE= 23,AP= 1, NA=, X= 2, Y= 0, X=  98, Y= 0/",
                   "ARC: LE= 23,AP= 1, NA=, X= 2,Y= 2,RA= 2,ST= 180: DT=90/",
                   "LINE: LE= 23,AP= 1, NA=, X=  100, Y= 2, X=  100, Y=  78/",
                   "ARC: LE= 23,AP= 1, NA=, X= 98,Y= 2,RA= 2,ST= 270: DT= 90/",
                   "LINE: LE= 23,AP= 1, NA=, X= 0, Y= 2, X= 0, Y= 78/",
                   "ARC: LE= 23,AP= 1, NA=, X= 98,Y= 78,RA= 2,ST= 0: DT= 90/",
                   "LINE: LE= 23,AP= 1, NA=, X= 2, Y= 80, X=  98, Y=  80/",
                   "ARC: LE= 23,AP= 1, NA=, X= 2,Y= 78,RA= 2,ST= 90: DT=90/"}));

  // Computed coordinates carry no floating-point residue.
  s.cornerSize = 0.3;
  EXPECT_EQ(StepRecords(AppendBoardOutline, s).front(),
            "LINE: LE= 23,AP= 1, NA=, X= .3, Y= 0, X=  99.7, Y= 0/");
}

TEST(BoardOutline, ChamferedCornersAlternateSidesAndCuts) {
  OutlineSettings s = Board();
  s.corner = CornerTreatment::kChamfered;
  s.cornerSize = 2.5;
  EXPECT_EQ(StepRecords(AppendBoardOutline, s),
            (Lines{"LINE: LE= 23,AP= 1, NA=, X= 2.5, Y= 0, X=  97.5, Y= 0/",
                   "LINE: LE= 23,AP= 1, NA=, X= 0, Y= 2.5, X= 2.5, Y= 0/",
                   "LINE: LE= 23,AP= 1, NA=, X= 100, Y= 2.5, X=  100, Y=  77.5/",
                   "LINE: LE= 23,AP= 1, NA=, X= 97.5, Y= 0, X= 100, Y= 2.5/",
                   "LINE: LE= 23,AP= 1, NA=, X= 0, Y= 2.5, X= 0, Y= 77.5/",
                   "LINE: LE= 23,AP= 1, NA=, X= 0, Y= 77.5,X= 2.5, Y= 80/",
                   "LINE: LE= 23,AP= 1, NA=, X= 2.5, Y= 80, X=  97.5, Y=  80/",
                   "LINE: LE= 23,AP= 1, NA=, X= 97.5, Y=  80,X= 100, Y=  77.5/"}));
}

TEST(BoardOutline, NoCornerOptionWritesNothing) {
  OutlineSettings s = Board();
  s.corner = CornerTreatment::kNone;
  EXPECT_TRUE(StepRecords(AppendBoardOutline, s).empty());
}

TEST(WiringArea, AroundCornerHolesDependsOnTheHoleDistance) {
  const struct {
    double p;
    std::size_t count;
    const char* fifth;
  } cases[] = {
      {4, 8, "ARC: LE= 11,AP= 1, NA=, X= 4, Y= 4, RA=   5, ST=   0, DT= 90/"},
      {5, 16, "ARC: LE= 11,AP= 1, NA=, X= 5, Y= 5, RA=   5, ST=   0, DT= 90/"},
      {3, 8, "LINE: LE= 11,AP= 1, NA=, X= 8, Y= 4, X= 4, Y= 8/"},
  };
  for (const auto& c : cases) {
    OutlineSettings s = Board();
    s.holeOffset = c.p;
    const Lines lines = StepRecords(AppendWiringArea, s);
    ASSERT_EQ(lines.size(), c.count) << c.p;
    EXPECT_EQ(lines[4], c.fifth) << c.p;
  }

  OutlineSettings s = Board();  // P = 5, 3.5 mm holes
  const Lines lines = StepRecords(AppendWiringArea, s);
  EXPECT_EQ(lines[0], "LINE: LE= 11,AP= 1, NA=, X= 10, Y= 4, X=  90, Y= 4/");
  EXPECT_EQ(lines[1], "LINE: LE= 11,AP= 1, NA=, X=  96, Y= 10, X=  96, Y=  70/");
  EXPECT_EQ(lines[6], "ARC: LE= 11,AP= 1, NA=, X= 95, Y= 75, RA=   5, ST=   180, DT= 90/");
  EXPECT_EQ(lines[8], "LINE: LE= 11,AP= 1, NA=, X= 10, Y= 4, X=  10, Y= 5/");
  EXPECT_EQ(lines[15], "LINE: LE= 11,AP= 1, NA=, X= 96, Y= 70, X=  95, Y= 70/");

  s.holeOffset = 3;
  EXPECT_EQ(StepRecords(AppendWiringArea, s)[7],
            "LINE: LE= 11,AP= 1, NA=, X= 92, Y=  76,X=  96, Y=  72/");
}

TEST(WiringArea, OtherHoleChoicesInsetARectangleByTheirMargin) {
  const struct {
    int diameter;
    int arrangement;
    const char* first;  // empty: shaped around the holes instead
  } cases[] = {
      {0, 0, "LINE: LE= 11,AP= 1, NA=, X= 2.5, Y=2.5, X=  97.5, Y=2.5/"},
      {1, 0, "LINE: LE= 11,AP= 1, NA=, X= 2.5, Y=2.5, X=  97.5, Y=2.5/"},
      {2, 0, "LINE: LE= 11,AP= 1, NA=, X= 4, Y=4, X=  96, Y=4/"},
      {3, 0, "LINE: LE= 11,AP= 1, NA=, X= 3, Y=3, X=  97, Y=3/"},
      {4, 0, ""},
      {5, 0, ""},
      {6, 0, "LINE: LE= 11,AP= 1, NA=, X= 4, Y=4, X=  96, Y=4/"},
      {7, 0, "LINE: LE= 11,AP= 1, NA=, X= 4, Y=4, X=  96, Y=4/"},
      {5, 1, "LINE: LE= 11,AP= 1, NA=, X= 4, Y=4, X=  96, Y=4/"},
      {1, 3, "LINE: LE= 11,AP= 1, NA=, X= 2.5, Y=2.5, X=  97.5, Y=2.5/"},
  };
  for (const auto& c : cases) {
    OutlineSettings s = Board();
    s.holeDiameter = c.diameter;
    s.holeArrangement = c.arrangement;
    const Lines lines = StepRecords(AppendWiringArea, s);
    if (*c.first == 0) {
      EXPECT_EQ(lines.size(), 16u) << c.diameter;
      continue;
    }
    ASSERT_EQ(lines.size(), 4u) << c.diameter << ' ' << c.arrangement;
    EXPECT_EQ(lines[0], c.first) << c.diameter << ' ' << c.arrangement;
  }

  OutlineSettings s = Board();
  s.holeDiameter = 1;
  EXPECT_EQ(StepRecords(AppendWiringArea, s),
            (Lines{"LINE: LE= 11,AP= 1, NA=, X= 2.5, Y=2.5, X=  97.5, Y=2.5/",
                   "LINE: LE= 11,AP= 1, NA=, X=  97.5, Y=2.5, X=  97.5, Y=  77.5/",
                   "LINE: LE= 11,AP= 1, NA=, X=2.5, Y=2.5, X=2.5, Y= 77.5/",
                   "LINE: LE= 11,AP= 1, NA=, X=2.5, Y=  77.5, X=  97.5, Y=  77.5/"}));
}

TEST(OutlineDimensions, WidthAndHeightTexts) {
  const Lines lines = StepRecords(AppendOutlineDimensions, Board());
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[1], "LINE: LE= 25, AP= 1, NA=, X= 100, Y= -1, X= 100, Y= -11/");
  EXPECT_EQ(lines[5], "LINE: LE= 25, AP= 1, NA=, X= 100, Y= -9, X= 98, Y= -8.5/");
  EXPECT_EQ(lines[7], "TEXT: LE= 25, AP= 1, NA=, X= 45, Y=-8.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/");
  EXPECT_EQ(lines[8], "CHAR: NU= 4, 100.00/");
  EXPECT_EQ(lines[12], "LINE: LE= 25, AP= 1, NA=, X= -8, Y= 0, X=  -7.5, Y= 2/");
  EXPECT_EQ(lines[14], "LINE: LE= 25, AP= 1, NA=, X= -8, Y= 80, X= -7.5, Y= 78/");
  EXPECT_EQ(lines[16],
            "TEXT: LE= 25, AP= 1, NA=, X= -8.5, Y= 35, HG=1.5, RO=90. MX=0, MY=0, JU=1/");
  EXPECT_EQ(lines[17], "CHAR: NU= 3, 80.00/");

  // The count is the length of the rendered size, not of the two-decimal text.
  EXPECT_EQ(StepRecords(AppendOutlineDimensions, Board(12.5, 0.5))[8], "CHAR: NU= 5, 12.50/");
  EXPECT_EQ(StepRecords(AppendOutlineDimensions, Board(12.5, 0.5))[17], "CHAR: NU= 3, .50/");
}

TEST(OutlineDimensions, CornerSizeNoteForRoundedAndChamferedCorners) {
  const struct {
    CornerTreatment corner;
    double r;
    const char* text;  // empty: no note
  } cases[] = {
      {CornerTreatment::kSquare, 2, ""},
      {CornerTreatment::kNone, 2, ""},
      {CornerTreatment::kRounded, 2, "CHAR: NU= 1, R2.00 X4/"},
      {CornerTreatment::kChamfered, 2, "CHAR: NU= 1, C2.00 X4/"},
      {CornerTreatment::kRounded, 2.5, "CHAR: NU= 3, R2.50 X4/"},
      {CornerTreatment::kRounded, 0.5, "CHAR: NU= 3, R.50 X4/"},
      {CornerTreatment::kChamfered, 10, "CHAR: NU= 2, C10.00 X4/"},
  };
  for (const auto& c : cases) {
    OutlineSettings s = Board();
    s.corner = c.corner;
    s.cornerSize = c.r;
    const Lines lines = StepRecords(AppendOutlineDimensions, s);
    if (*c.text == 0) {
      EXPECT_EQ(lines.size(), 18u);
      continue;
    }
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[23], c.text);
  }

  OutlineSettings s = Board();
  s.corner = CornerTreatment::kRounded;
  const Lines lines = StepRecords(AppendOutlineDimensions, s);
  EXPECT_EQ(lines[18], "LINE: LE= 25, AP= 1, NA=, X= 100, Y= 80, X= 105, Y= 85/");
  EXPECT_EQ(lines[19], "LINE: LE= 25, AP= 1, NA=, X= 100, Y= 80, X= 102, Y= 81.5/");
  EXPECT_EQ(lines[21], "LINE: LE= 25, AP= 1, NA=, X= 105, Y= 85, X= 120, Y= 85/");
  EXPECT_EQ(lines[22], "TEXT: LE=25, AP=1, NA=, X= 106, Y= 85.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/");
}

TEST(HoleDimensions, ShortSpansSwitchToOutsideArrows) {
  const struct {
    double p;
    const char* line5;
    const char* line8;
    const char* line24;
  } cases[] = {
      {5, "LINE: LE= 26, AP= 1, NA=, X= 0, Y= -6, X= 100, Y= -6/",
       "LINE: LE= 26, AP= 1, NA=, X= 3, Y= -5.5, X= 7, Y= -6.5/",
       "LINE: LE= 26, AP= 1, NA=, X= -5, Y= 0, X= -5, Y= 80/"},
      {4.5, "LINE: LE= 26, AP= 1, NA=, X= -3, Y= -6, X= 105, Y= -6/",
       "LINE: LE= 26, AP= 1, NA=, X= 4.5, Y= -6, X= 6.5, Y= -6.5/",
       "LINE: LE= 26, AP= 1, NA=, X= -5, Y= -3, X= -5, Y= 85/"},
  };
  for (const auto& c : cases) {
    OutlineSettings s = Board();
    s.holeOffset = c.p;
    const Lines lines = StepRecords(AppendHoleDimensions, s);
    ASSERT_EQ(lines.size(), 38u) << c.p;
    EXPECT_EQ(lines[4], c.line5) << c.p;
    EXPECT_EQ(lines[7], c.line8) << c.p;
    EXPECT_EQ(lines[23], c.line24) << c.p;
  }
}

TEST(HoleDimensions, SpacingAndEdgeDistanceTexts) {
  const Lines lines = StepRecords(AppendHoleDimensions, Board());
  ASSERT_EQ(lines.size(), 38u);
  EXPECT_EQ(lines[2], "LINE: LE= 26, AP= 1, NA=, X= 95, Y= -1, X= 95, Y= -7/");
  EXPECT_EQ(lines[13], "TEXT: LE= 26, AP= 1, NA=, X= 45, Y=-5.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/");
  EXPECT_EQ(lines[14], "CHAR: NU= 4, 90.00/");
  EXPECT_EQ(lines[15], "TEXT: LE= 26, AP= 1, NA=, X= 8, Y=-5.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/");
  EXPECT_EQ(lines[16], "CHAR: NU= 4, 5.00/");
  EXPECT_EQ(lines[17], "TEXT: LE= 26, AP= 1, NA=, X= 87, Y=-5.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/");
  EXPECT_EQ(lines[19], "LINE: LE= 26, AP= 1, NA=, X= -1, Y= 0, X= -6, Y= 0/");
  EXPECT_EQ(lines[21], "LINE: LE= 26, AP= 1, NA=, X= -1, Y= 75, X= -6, Y= 75/");
  EXPECT_EQ(lines[26], "LINE: LE= 26, AP= 1, NA=, X= -5.5, Y= 3, X= -4.5, Y= 7/");
  EXPECT_EQ(lines[32],
            "TEXT: LE= 26, AP= 1, NA=, X= -5.5, Y= 35, HG=1.5, RO=90. MX=0, MY=0, JU=1/");
  EXPECT_EQ(lines[33], "CHAR: NU= 3, 70.00/");
  EXPECT_EQ(lines[37], "CHAR: NU= 3, 5.00/");
}

TEST(PlacementGuides, FromTheCentreToEachSide) {
  EXPECT_EQ(StepRecords(AppendPlacementGuides, Board(100, 75)),
            (Lines{"LINE: LE= 49, AP= 1, NA=, X= 50, Y= 37.5, X= 0, Y= 37.5/",
                   "LINE: LE= 49, AP= 1, NA=, X= 50, Y= 37.5, X= 50, Y= 0/",
                   "LINE: LE= 49, AP= 1, NA=, X= 50, Y= 37.5, X= 50, Y= 75/",
                   "LINE: LE= 49, AP= 1, NA=, X= 50, Y= 37.5, X= 100, Y= 37.5/"}));
}

TEST(BoardTypePreset, SetsAllFourteenFilmBoxes) {
  using F = FilmTitles;
  EXPECT_EQ(BoardTypePreset(BoardType::kDoubleSided),
            (F{true, false, false, false, false, true, true, true, true, false, true, false, true,
               false}));
  EXPECT_EQ(
      BoardTypePreset(BoardType::kFourLayer),
      (F{true, true, true, false, false, true, true, true, true, false, true, false, true, false}));
  EXPECT_EQ(
      BoardTypePreset(BoardType::kSixLayer),
      (F{true, true, true, true, true, true, true, true, true, false, true, false, true, false}));
}

}  // namespace
}  // namespace pcbprep
