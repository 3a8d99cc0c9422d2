#include "drawing/DblReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "design/Numeric.h"
#include "drawing/DblPicture.h"
#include "drawing/DblSvg.h"
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

TEST(DblReader, ReadsTheCornerMarksOfEveryWidthAndCorner) {
  // Widths without an aperture number leave "AP=," or "AP= ," in the file.
  const struct {
    Text box;
    int aperture;
  } widths[] = {{u"0.2", 4},  {u"0.25", 0}, {u"0.3", 6}, {u"0.33", 0}, {u"0.4", 8},
                {u"0.5", 10}, {u"0", 0},    {u"1", 0},   {u"-0.4", 0}, {u"", 0}};
  const CornerTreatment corners[] = {CornerTreatment::kSquare, CornerTreatment::kRounded,
                                     CornerTreatment::kChamfered, CornerTreatment::kNone};
  for (const auto& w : widths) {
    for (const CornerTreatment corner : corners) {
      SCOPED_TRACE(ToUtf8(w.box) + " corner " + std::to_string(static_cast<int>(corner)));
      OutlineSettings s = Everything(corner, 5, kFourCornerHoles, BoardType::kFourLayer);
      s.cornerMarkWidth = NumericValue(w.box);
      s.groundPlane = true;
      const DblDocument doc = GenerateDbl(s);
      const DblReadResult r = ReadDbl(doc.text());
      ASSERT_TRUE(r.ok()) << ToUtf8(DblReadErrorMessage(*r.error));
      EXPECT_EQ(r.records, static_cast<int>(DblLines(doc.text()).size()) - 2);
      EXPECT_EQ(r.drawing.recordCount(), r.records);
      int marks = 0;
      for (const DblLine& l : r.drawing.lines) {
        if (l.layer != 2) continue;
        ++marks;
        EXPECT_EQ(l.aperture, w.aperture);
      }
      EXPECT_EQ(marks > 0, corner != CornerTreatment::kNone);
      // The ground plane after the marks is there.
      EXPECT_EQ(std::any_of(r.drawing.planes.begin(), r.drawing.planes.end(),
                            [](const DblPlane& p) { return p.layer == 9; }),
                corner != CornerTreatment::kNone);
    }
  }
  EXPECT_EQ(DblApertureWidth(0), DblApertureWidth(1));  // no aperture: the thinnest line
}

TEST(DblReader, TakesByteOrderMarksAndLoneCarriageReturns) {
  const std::string records =
      "LINE: LE= 1,AP=, NA=, X= 0, Y= 0, X= 1, Y= 1/\rTEXT: LE= 17, AP= 1, NA=, X= 0, Y= 0, "
      "HG=2, RO=0. MX=0, MY=0, JU=1/\rCHAR: NU= 4, \xE5\x9F\xBA\xE6\x9D\xBF/\r$END\r";
  const struct {
    const char* what;
    std::string bytes;
  } files[] = {
      {"UTF-8 with a mark, CR only", "\xEF\xBB\xBF$GRAPHIC/\r" + records},
      {"CR LF", "$GRAPHIC/\r\n" +
                    [&] {
                      std::string crlf;
                      for (const char c : records)
                        crlf += c == '\r' ? std::string("\r\n") : std::string(1, c);
                      return crlf;
                    }()},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.what);
    std::string bytes = f.bytes;
    if (!bytes.starts_with("\xEF\xBB\xBF")) {
      bytes = EncodeCp932(FromUtf8(bytes)).bytes;  // the same text as code page 932
    }
    const DblReadResult r = ReadDbl(DecodeDblBytes(bytes));
    ASSERT_TRUE(r.ok()) << ToUtf8(DblReadErrorMessage(*r.error));
    ASSERT_EQ(r.drawing.lines.size(), 1u);
    EXPECT_EQ(r.drawing.lines[0].aperture, 0);
    ASSERT_EQ(r.drawing.texts.size(), 1u);
    EXPECT_EQ(r.drawing.texts[0].characters, u"基板");
  }
}

TEST(DblReader, AnUnknownLayerHasItsOwnGroupAndTextsKeepTheirBlanks) {
  const DblReadResult r = ReadDbl(
      u"$GRAPHIC/\nLINE: LE= 1000,AP= 1, NA=, X= 0, Y= 0, X= 1, Y= 1/\n"
      u"VIA: AS= 92, NA=, X= 5, Y= 5/\nTEXT: LE= 17, AP= 1, NA=, X= 0, Y= 0, HG=2, RO=0. MX=0, "
      u"MY=0, JU=1/\nCHAR: NU= 10, ABC-01  L1/\n$END\n");
  ASSERT_TRUE(r.ok()) << ToUtf8(DblReadErrorMessage(*r.error));
  EXPECT_EQ(DblLayersUsed(r.drawing), (std::vector<int>{kViaLayer, 17, 1000}));
  const std::string svg = DblSvgDocument(r.drawing, u"t");
  EXPECT_NE(svg.find("<g id=\"layer-1000\""), std::string::npos);
  EXPECT_NE(svg.find("xml:space=\"preserve\""), std::string::npos);
  EXPECT_NE(svg.find(">ABC-01  L1</text>"), std::string::npos);
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
  Text manyFields;
  for (int i = 0; i < 100000; ++i) manyFields += u"A=,";
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
      // Layers the format cannot hold, sizes past any board, lines no record is.
      {head + u"LINE: LE= 10000000000,AP= 1, NA=, X= 0, Y= 0, X= 1, Y= 1/\r\n", 3,
       u"LE の値が層番号（1 から 2147483647 の整数）ではありません: 10000000000"},
      {head + u"GPLANE: LE= 0,AP= 6/\r\n", 3, u"層番号"},
      {head + u"LINE: LE= 2.5,AP= 1, NA=, X= 0, Y= 0, X= 1, Y= 1/\r\n", 3, u"層番号"},
      {head + u"LINE: LE= 1,AP= 1, NA=, X= 0, Y= 0, X= 100000.5, Y= 1/\r\n", 3,
       u"X の値が大きすぎます"},
      {head + u"ARC: LE= 1,AP= 1, X= 0, Y= 0, RA= -200000, ST= 0, DT= 90/\r\n", 3,
       u"RA の値が大きすぎます"},
      {head + u"LINE: LE= 1,AP= 3000000, NA=, X= 0, Y= 0, X= 1, Y= 1/\r\n", 3,
       u"AP の値が大きすぎます"},
      {head + u"LINE: " + manyFields + u"/\r\n", 3, u"項目が 64 個を超えています"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    const DblReadResult r = ReadDbl(c.text);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error->line, c.line);
    EXPECT_NE(r.error->reason.find(c.reason), Text::npos) << ToUtf8(r.error->reason);
  }

  // However long the line, a message quotes 60 characters of it.
  const Text longLine = Text(1000000, u'x');
  const Text hugeValue = u"LINE: LE= 1,AP= 1, NA=, X= " + Text(1000000, u'9') + u"x, Y= 0/";
  for (const Text& line : {longLine, hugeValue, u"LINE: " + Text(1000000, u'A') + u"/"}) {
    const DblReadResult r = ReadDbl(u"$GRAPHIC/\r\n" + line + u"\r\n$END\r\n");
    ASSERT_FALSE(r.ok());
    EXPECT_LT(r.error->reason.size(), 120u) << ToUtf8(r.error->reason.substr(0, 200));
    EXPECT_EQ(r.error->reason.back(), u'…');
  }
}

TEST(DblPicture, ShuffledPlaneEdgesJoinAsInFileOrderAndNegativeRadiiDrawOneWay) {
  // A polygon of many sides, shuffled, every third one written backwards: one run.
  constexpr int kSides = 5000;
  DblPlane plane;
  plane.layer = 9;
  plane.boundaries.emplace_back();
  for (int i = 0; i < kSides; ++i) {
    DblLine side;
    side.from = ArcPoint({0, 0}, 50, 360.0 * i / kSides);
    side.to = ArcPoint({0, 0}, 50, 360.0 * (i + 1) / kSides);
    if (i % 3 == 0) std::swap(side.from, side.to);
    plane.boundaries[0].emplace_back(side);
  }
  std::shuffle(plane.boundaries[0].begin(), plane.boundaries[0].end(), std::mt19937(7));
  const DblPath path = PlanePath(plane);
  ASSERT_EQ(path.size(), kSides + 1u);
  EXPECT_EQ(std::count_if(path.begin(), path.end(),
                          [](const DblPathStep& s) { return s.kind == DblPathStep::Kind::kMove; }),
            1);
  EXPECT_NEAR(path.back().to.x, path.front().to.x, 1e-9);
  EXPECT_NEAR(path.back().to.y, path.front().to.y, 1e-9);

  // An arc of radius -2 at 0 degrees starts at centre + (-2, 0), stroked or in a plane.
  struct Recorder final : DblCanvas {
    void line(DblPoint, DblPoint, double, DblInk) override {}
    void arc(DblPoint c, double r, double start, double, double, DblInk) override {
      stroked = ArcPoint(c, r, start);
      radius = r;
    }
    void plane(const DblPath& steps, DblInk) override { filled = steps.at(0).to; }
    void text(DblPoint, double, double, bool, DblInk, TextView) override {}
    void via(DblPoint, double, DblInk) override {}
    DblPoint stroked, filled;
    double radius = 0;
  } canvas;
  const DblArc arc{1, 1, {10, 10}, -2, 0, 90};
  DblDrawing d;
  d.arcs.push_back(arc);
  d.planes.push_back({1, 1, u"", {{arc}}});
  RenderDbl(d, canvas);
  EXPECT_EQ(canvas.radius, 2);
  EXPECT_NEAR(canvas.stroked.x, 8, 1e-9);
  EXPECT_NEAR(canvas.stroked.y, 10, 1e-9);
  EXPECT_NEAR(canvas.filled.x, 8, 1e-9);
  EXPECT_NEAR(canvas.filled.y, 10, 1e-9);
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
