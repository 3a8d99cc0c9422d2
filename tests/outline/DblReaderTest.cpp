#include "outline/DblReader.h"

#include <gtest/gtest.h>

#include "outline/DblPicture.h"
#include "outline/DblRecordLines.h"
#include "outline/OutlineGenerator.h"

namespace pcbprep {
namespace {

// Every option on and every text typed, so each step writes all it can.
OutlineSettings Everything(CornerTreatment corner, int diameter, int arrangement, BoardType type) {
  OutlineSettings s;
  s.width = 120;
  s.height = 80.5;
  s.cornerSize = 3;
  s.corner = corner;
  s.holeDiameter = diameter;
  s.holeArrangement = arrangement;
  s.boardType = type;
  s.filmTitles.fill(true);
  s.boardOrderName = u"CTRL-A01";
  s.boardNameValue = u"制御基板, REV/A";
  s.subtitle = true;
  s.subtitleValue = u"sub";
  s.comment = true;
  s.commentValue = u"comment";
  s.metalMaskText = true;
  s.metalMaskTextValue = u"ｻﾝﾌﾟﾙ";
  return s;
}

TEST(DblReader, ReadsBackEveryRecordTheGeneratorWrites) {
  const CornerTreatment corners[] = {CornerTreatment::kSquare, CornerTreatment::kRounded,
                                     CornerTreatment::kChamfered, CornerTreatment::kNone};
  const BoardType types[] = {BoardType::kDoubleSided, BoardType::kFourLayer, BoardType::kSixLayer,
                             BoardType::kNone};
  for (const CornerTreatment corner : corners) {
    for (int diameter = 0; diameter < kHoleDiameterCount; ++diameter) {
      for (int arrangement = 0; arrangement < kHoleArrangementCount; ++arrangement) {
        for (const BoardType type : types) {
          SCOPED_TRACE(testing::Message()
                       << "corner " << static_cast<int>(corner) << " diameter " << diameter
                       << " arrangement " << arrangement << " type " << static_cast<int>(type));
          const DblDocument doc = GenerateDbl(Everything(corner, diameter, arrangement, type));
          const int records = static_cast<int>(DblLines(doc.text()).size()) - 2;
          const DblReadResult r = ReadDbl(doc.text());
          ASSERT_TRUE(r.ok()) << ToUtf8(DblReadErrorMessage(*r.error));
          EXPECT_EQ(r.unknownRecords, 0);
          EXPECT_EQ(r.records, records);
          EXPECT_EQ(r.drawing.recordCount(), records);
        }
      }
    }
  }
}

TEST(DblReader, TakesTheBlankAndSeparatorVariationsOfTheFormat) {
  const Text text =
      u"$GRAPHIC/\n"
      u"LINE:LE=23,AP=1,NA=,X=-.5,Y=0,X=1.,Y=  2.25 / \r\n"
      u"ARC: LE= 23,AP= 1, NA=, X= 3,Y= 3,RA= 3,ST= 180: DT=90/\n"
      u"TEXT: LE=20, AP=6, NA=, X= 65, Y=-20, HG=3, RO=90. MX=1, MY=0, JU=1/\n"
      u"CHAR: NU= 4, a, b/c/\n"
      u"VIA: AS=  92, NA=, X= 5, Y= 75/\n"
      u"PAD: NO=1/\n"
      u"$END\n";
  const DblReadResult r = ReadDbl(text);
  ASSERT_TRUE(r.ok()) << ToUtf8(DblReadErrorMessage(*r.error));
  EXPECT_EQ(r.records, 6);
  EXPECT_EQ(r.unknownRecords, 1);
  const DblDrawing& d = r.drawing;
  ASSERT_EQ(d.lines.size(), 1u);
  EXPECT_EQ(d.lines[0].layer, 23);
  EXPECT_EQ(d.lines[0].from, (DblPoint{-0.5, 0}));
  EXPECT_EQ(d.lines[0].to, (DblPoint{1, 2.25}));
  ASSERT_EQ(d.arcs.size(), 1u);
  EXPECT_EQ(d.arcs[0].centre, (DblPoint{3, 3}));
  EXPECT_EQ(d.arcs[0].start, 180);
  EXPECT_EQ(d.arcs[0].sweep, 90);
  ASSERT_EQ(d.texts.size(), 1u);
  EXPECT_EQ(d.texts[0].rotation, 90);
  EXPECT_TRUE(d.texts[0].mirrorX);
  EXPECT_EQ(d.texts[0].height, 3);
  EXPECT_EQ(d.texts[0].characters, u"a, b/c");
  ASSERT_EQ(d.vias.size(), 1u);
  EXPECT_EQ(d.vias[0].padStack, 92);
  EXPECT_EQ(d.vias[0].at, (DblPoint{5, 75}));
}

TEST(DblReader, ABrokenRecordGivesItsLineAndReason) {
  const Text head = u"$GRAPHIC/\r\nLINE: LE= 1,AP= 1, NA=, X= 0, Y= 0, X= 1, Y= 1/\r\n";
  const struct {
    Text text;
    int line;
    const char16_t* reason;
  } cases[] = {
      {u"LINE: LE= 1/\r\n$END\r\n", 1, u"先頭に $GRAPHIC/"},
      {head + u"LINE: LE= 1,AP= 1, NA=, X= 0, Y= 0, X= 1/\r\n$END\r\n", 3, u"Y= がありません"},
      {head + u"ARC: LE= 1,AP= 1, X= 1a, Y= 0, RA= 1, ST= 0, DT= 90/\r\n", 3,
       u"数値ではありません"},
      {head + u"VIA: AS= 92, NA=, X= 5, Y= 5\r\n$END\r\n", 3, u"「/」がありません"},
      {head + u"TEXT: LE=2, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/\r\n$END\r\n", 4,
       u"CHAR がありません"},
      {head + u"CHAR: NU= 2, L1/\r\n", 3, u"TEXT がありません"},
      {head + u"ISLAND:/\r\n", 3, u"ISLAND"},
      {head + u"GPLANE: LE= 9,AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/\r\n$END\r\n", 4, u"EOGPLANE"},
      {head + u"GPLANE: LE= 9,AP= 6/\r\nVIA: AS= 92, NA=, X= 5, Y= 5/\r\n", 4, u"VIA は GPLANE"},
      {head, 3, u"$END がありません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    const DblReadResult r = ReadDbl(c.text);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error->line, c.line);
    EXPECT_NE(r.error->reason.find(c.reason), Text::npos) << ToUtf8(r.error->reason);
  }
}

TEST(DblPicture, PlaneEdgesInFileOrderJoinIntoClosedRunsWithTheirCutOuts) {
  // The generator writes a rounded plane side, corner, side, corner ... not end to end.
  OutlineSettings s =
      Everything(CornerTreatment::kRounded, 5, kFourCornerHoles, BoardType::kFourLayer);
  const DblReadResult r = ReadDbl(GenerateDbl(s).text());
  ASSERT_TRUE(r.ok());
  int checked = 0;
  for (const DblPlane& plane : r.drawing.planes) {
    const DblPath path = PlanePath(plane);
    std::size_t moves = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
      if (path[i].kind != DblPathStep::Kind::kMove) continue;
      ++moves;
      std::size_t end = i + 1;
      while (end < path.size() && path[end].kind != DblPathStep::Kind::kMove) ++end;
      EXPECT_NEAR(path[end - 1].to.x, path[i].to.x, 1e-9);
      EXPECT_NEAR(path[end - 1].to.y, path[i].to.y, 1e-9);
    }
    EXPECT_EQ(moves, plane.boundaries.size());
    if (plane.layer == 9) {
      EXPECT_EQ(path.size(), 9u);  // one move, four sides, four corners
      ++checked;
    }
  }
  EXPECT_EQ(checked, 1);
}

}  // namespace
}  // namespace pcbprep
