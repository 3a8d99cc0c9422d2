#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/Numeric.h"
#include "outline/DblRecordLines.h"
#include "outline/HoleMarkPlaneSteps.h"

namespace pcbprep {
namespace {

using Step = void (*)(DblDocument&, const OutlineSettings&);
using Corner = CornerTreatment;

// 100 by 80 board, corner size 2, corner-mark width 0.4.
OutlineSettings Board(Corner corner, double cornerSize = 2) {
  OutlineSettings s;
  s.width = 100;
  s.height = 80;
  s.cornerSize = cornerSize;
  s.cornerMarkWidth = 0.4;
  s.corner = corner;
  return s;
}

TEST(ResistFrame, SquareFrameOnLayer15ThenAgainOn16) {
  const std::vector<std::string> expected = {
      "LINE: LE= 15,AP= 20, NA=,X= -0.5, Y= -0.5,X= 100.5, Y= -0.5/",
      "LINE: LE= 15,AP= 20, NA=,X= 100.5, Y= -0.5,X= 100.5, Y= 80.5/",
      "LINE: LE= 15,AP= 20, NA=,X= 100.5, Y= 80.5,X= -0.5, Y= 80.5/",
      "LINE: LE= 15,AP= 20, NA=,X= -0.5, Y= 80.5,X= -0.5, Y= -0.5/",
      "LINE: LE= 16,AP= 20, NA=,X= -0.5, Y= -0.5,X= 100.5, Y= -0.5/",
      "LINE: LE= 16,AP= 20, NA=,X= 100.5, Y= -0.5,X= 100.5, Y= 80.5/",
      "LINE: LE= 16,AP= 20, NA=,X= 100.5, Y= 80.5,X= -0.5, Y= 80.5/",
      "LINE: LE= 16,AP= 20, NA=,X= -0.5, Y= 80.5,X= -0.5, Y= -0.5/",
  };
  EXPECT_EQ(StepRecords(AppendResistFrame, Board(Corner::kSquare)), expected);
}

TEST(MetalMaskCornerMarks, SquareCornersGiveTwoArmsPerCorner) {
  const std::vector<std::string> expected = {
      "LINE: LE= 19,AP= 40, NA=, X= -1, Y= -1, X= -1, Y=  9 / ",
      "LINE: LE= 19,AP= 40, NA=, X= -1, Y= -1, X=  9, Y= -1 / ",
      "LINE: LE= 19,AP= 40, NA=, X= -1, Y=  81, X=  9, Y=  81 / ",
      "LINE: LE= 19,AP= 40, NA=, X= -1, Y=  81, X= -1, Y=  71 / ",
      "LINE: LE= 19,AP= 40, NA=, X=  101, Y= -1, X=  101, Y=  9 / ",
      "LINE: LE= 19,AP= 40, NA=, X=  101, Y= -1, X=  91, Y= -1 / ",
      "LINE: LE= 19,AP= 40, NA=, X=  101, Y=  81, X=  101, Y=  71 / ",
      "LINE: LE= 19,AP= 40, NA=, X=  101, Y=  81, X=  91, Y=  81 / ",
  };
  EXPECT_EQ(StepRecords(AppendMetalMaskCornerMarks, Board(Corner::kSquare)), expected);
}

TEST(GroundPlane, SquareCornersGiveOpenerFourSidesAndCloser) {
  const std::vector<std::string> expected = {
      "GPLANE: LE= 9,AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/",
      "LINE: LE= 9,AP= 6, NA=, X= 0.5, Y= 0.5, X=  99.5, Y= 0.5/",
      "LINE: LE= 9,AP= 6, NA=, X=  99.5, Y= 0.5, X=  99.5, Y=  79.5/",
      "LINE: LE= 9,AP= 6, NA=, X= 99.5, Y= 79.5, X= 0.5, Y= 79.5/",
      "LINE: LE= 9,AP= 6, NA=, X= 0.5, Y= 79.5, X= 0.5, Y= 0.5/",
      "EOGPLANE:/",
  };
  EXPECT_EQ(StepRecords(AppendGroundPlane, Board(Corner::kSquare)), expected);
}

// Record counts of every corner variant, with records chosen where blanks, order or
// arithmetic are easy to get wrong.
TEST(FramesMarksPlanes, CornerVariants) {
  const struct {
    const char* step;
    Step append;
    Corner corner;
    std::size_t count;
    std::size_t index;
    const char* record;
    double cornerSize = 2;
  } cases[] = {
      {"resist", AppendResistFrame, Corner::kRounded, 16, 0,
       "LINE: LE= 15,AP= 20, NA=, X= 2, Y= -0.5, X=  98, Y= -0.5/"},
      {"resist", AppendResistFrame, Corner::kRounded, 16, 3,
       "ARC: LE= 15,AP= 20, NA=, X= 98,Y= 2,RA= 2.5,ST= 270: DT= 90/"},
      {"resist", AppendResistFrame, Corner::kChamfered, 16, 1,
       "LINE: LE= 15,AP= 20, NA=, X= -0.5, Y= 1.8, X= 1.8, Y= -0.5/"},
      {"resist", AppendResistFrame, Corner::kChamfered, 16, 7,
       "LINE: LE= 15,AP= 20, NA=, X= 98.2, Y=  80.5,X= 100.5, Y=  78.2/"},
      {"marks", AppendCornerMarks, Corner::kSquare, 8, 0,
       "LINE: LE= 2,AP=8 , NA=, X= -.2, Y= -.2, X=  9.8, Y= -.2 / "},
      // The upper-right vertical arm ends at H - T/2 - 10.
      {"marks", AppendCornerMarks, Corner::kSquare, 8, 6,
       "LINE: LE= 2,AP=8 , NA=, X=  100.2, Y=  80.2, X=  100.2, Y=  69.8 / "},
      {"marks", AppendCornerMarks, Corner::kRounded, 12, 0,
       "LINE: LE= 2,AP=8, NA=, X= 2, Y= -.2, X=  12, Y=-.2/"},
      {"marks", AppendCornerMarks, Corner::kRounded, 12, 2,
       "ARC: LE= 2,AP=8, NA=, X= 2,Y= 2,RA= 2.2,ST= 180: DT=90/"},
      {"marks", AppendCornerMarks, Corner::kRounded, 12, 7,
       "LINE: LE= 2,AP=8, NA=, X=-.2, Y= 78, X=-.2, Y= 68/"},
      {"marks", AppendCornerMarks, Corner::kChamfered, 12, 0,
       "LINE: LE= 2,AP=8, NA=, X= 1.92, Y=-.2, X=  12, Y=-.2/"},
      {"marks", AppendCornerMarks, Corner::kChamfered, 12, 8,
       "LINE: LE= 2,AP=8, NA=, X= 100.2,Y= 78.08,X= 98.08,Y= 80.2/"},
      {"metal mask", AppendMetalMaskCornerMarks, Corner::kRounded, 12, 2,
       "ARC: LE= 19,AP= 40, NA=, X= 2,Y= 2,RA= 3,ST= 180: DT=90/"},
      {"metal mask", AppendMetalMaskCornerMarks, Corner::kRounded, 12, 3,
       "LINE: LE= 19,AP= 40, NA=, X=  101, Y= 2, X=  101, Y=  12/"},
      {"metal mask", AppendMetalMaskCornerMarks, Corner::kChamfered, 12, 0,
       "LINE: LE= 19,AP= 40, NA=, X= 1.6, Y=-1, X=  12, Y=-1/"},
      {"metal mask", AppendMetalMaskCornerMarks, Corner::kChamfered, 12, 11,
       "LINE: LE= 19,AP= 40, NA=, X=-1,Y= 78.4,X= 1.6,Y= 81/"},
      {"ground", AppendGroundPlane, Corner::kRounded, 10, 3,
       "LINE: LE= 9,AP= 6, NA=, X=  99.5, Y= 2, X=  99.5, Y=  78/"},
      {"ground", AppendGroundPlane, Corner::kRounded, 10, 4,
       "ARC: LE= 9,AP= 6, NA=, X= 98,Y= 2,RA= 1.5,ST= 270: DT= 90/"},
      // A corner smaller than the inset gives a negative radius, written as computed.
      {"ground", AppendGroundPlane, Corner::kRounded, 10, 2,
       "ARC: LE= 9,AP= 6, NA=, X= .2,Y= .2,RA=-.3,ST= 180: DT=90/", 0.2},
      {"ground", AppendGroundPlane, Corner::kChamfered, 10, 8,
       "LINE: LE= 9,AP= 6, NA=, X= 97.8, Y=  79.5,X= 99.5, Y=  77.8/"},
      {"outer", AppendOuterLayerPlanes, Corner::kSquare, 12, 1,
       "LINE: LE= 27,AP= 6, NA=, X= 0.3, Y= 0.3, X=  99.7, Y= 0.3/"},
      {"outer", AppendOuterLayerPlanes, Corner::kSquare, 12, 5, "EOGPLANE:/"},
      {"outer", AppendOuterLayerPlanes, Corner::kSquare, 12, 6,
       "GPLANE: LE= 28,AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/"},
      {"outer", AppendOuterLayerPlanes, Corner::kRounded, 20, 2,
       "ARC: LE= 27,AP= 6, NA=, X= 2,Y= 2,RA= 1.7,ST= 180: DT=90/"},
      // Unlike the ground plane, no blank after "X=" on the right side.
      {"outer", AppendOuterLayerPlanes, Corner::kRounded, 20, 3,
       "LINE: LE= 27,AP= 6, NA=, X= 99.7, Y= 2, X=  99.7, Y=  78/"},
      {"outer", AppendOuterLayerPlanes, Corner::kChamfered, 20, 11,
       "LINE: LE= 28,AP= 6, NA=, X= 2.2, Y= 0.3, X=  97.8, Y= 0.3/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.step) + " record " + std::to_string(c.index));
    const std::vector<std::string> r = StepRecords(c.append, Board(c.corner, c.cornerSize));
    ASSERT_EQ(r.size(), c.count);
    EXPECT_EQ(r[c.index], c.record);
  }
}

TEST(FramesMarksPlanes, NothingWithoutACornerOption) {
  for (Step step : {AppendResistFrame, AppendCornerMarks, AppendMetalMaskCornerMarks,
                    AppendGroundPlane, AppendOuterLayerPlanes}) {
    EXPECT_TRUE(StepRecords(step, Board(Corner::kNone)).empty());
  }
}

TEST(CornerMarks, ApertureFollowsTheLineWidth) {
  const struct {
    const char16_t* width;
    const char* aperture;
  } cases[] = {
      {u"0.2", "4"}, {u"0.3", "6"}, {u"0.4", "8"}, {u"0.5", "10"}, {u"0.25", ""}, {u"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.aperture);
    const std::string ap = c.aperture;
    for (Corner corner : {Corner::kSquare, Corner::kRounded, Corner::kChamfered}) {
      OutlineSettings s = Board(corner);
      s.cornerMarkWidth = NumericValue(c.width);
      const std::vector<std::string> r = StepRecords(AppendCornerMarks, s);
      // The marks are drawn even when no aperture fits the width.
      ASSERT_EQ(r.size(), corner == Corner::kSquare ? 8u : 12u);
      const std::string prefix = corner == Corner::kSquare ? "LINE: LE= 2,AP=" + ap + " , NA=, X="
                                                           : "LINE: LE= 2,AP=" + ap + ", NA=, X=";
      EXPECT_EQ(r[0].substr(0, prefix.size()), prefix);
    }
  }
}

}  // namespace
}  // namespace pcbprep
