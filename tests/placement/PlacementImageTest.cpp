#include "placement/PlacementImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "design/TestDesign.h"

namespace pcbprep {
namespace {

using testing::AddPart;

struct Stroke {
  char kind;              // 'L' line, 'C' circle, 'T' text
  double x1, y1, x2, y2;  // line ends; circle centre and radius in x2; text corner
  CanvasColor color;
  Text text;
  friend bool operator==(const Stroke&, const Stroke&) = default;
};

std::ostream& operator<<(std::ostream& out, const Stroke& s) {
  return out << s.kind << "(" << s.x1 << "," << s.y1 << "," << s.x2 << "," << s.y2 << ") "
             << (s.color.ownColor ? "own" : "rgb") << int{s.color.red} << " " << ToUtf8(s.text);
}

class RecordingCanvas : public PlacementCanvas {
 public:
  std::vector<Stroke> strokes;
  void line(double x1, double y1, double x2, double y2, CanvasColor color) override {
    strokes.push_back({'L', x1, y1, x2, y2, color, {}});
  }
  void circle(double x, double y, double radius, CanvasColor color) override {
    strokes.push_back({'C', x, y, radius, 0, color, {}});
  }
  void text(double x, double y, TextView text) override {
    strokes.push_back({'T', x, y, 0, 0, CanvasColor::Drawing(), Text(text)});
  }
};

constexpr CanvasColor kOwn = CanvasColor::Drawing();

std::vector<Stroke> Draw(const Design& d) {
  RecordingCanvas canvas;
  DrawPlacementImage(d, canvas);
  return canvas.strokes;
}

TEST(DrawPlacementImage, DrawsAxesAndTheBoardOutlineFirst) {
  Design d;
  d.BoardSizeX = 100;
  d.BoardSizeY = 100;
  const std::vector<Stroke> expected = {
      {'L', 0, 10000, 25000, 10000, kOwn, {}},
      {'L', 10000, 0, 10000, 14000, kOwn, {}},
      {'L', 10000, 7000, 13000, 7000, CanvasColor::Rgb(4, 0, 0), {}},
      {'L', 13000, 7000, 13000, 10000, CanvasColor::Rgb(4, 0, 0), {}},
  };
  EXPECT_EQ(Draw(d), expected);

  d.BoardSizeX = 758;
  d.BoardSizeY = -758;
  const auto strokes = Draw(d);
  EXPECT_EQ(strokes[2], (Stroke{'L', 10000, 32740, 32740, 32740, CanvasColor::Rgb(4, 0, 0), {}}));
}

TEST(DrawPlacementImage, MarksPartsByClassAndLevel) {
  Design d;
  d.BoardSizeX = 100;
  d.BoardSizeY = 100;
  struct Row {
    Text reference, partClass, x, y, level;
  };
  for (const Row& r : std::vector<Row>{{u"U1", u"2", u"-25", u"0", u"0"},
                                       {u"CN1", u"1", u"-25", u"-25", u"0"},
                                       {u"R1", u"0", u"-25", u"13", u"2"},
                                       {u"R2", u"", u"", u"", u"1"},
                                       {u"R3", u"0", u"2.5", u"x", u"02"}}) {
    const int row = AddPart(d, r.reference, {.partClass = r.partClass});
    d.PartTable.set(row, kPartX, r.x);
    d.PartTable.set(row, kPartY, r.y);
    d.PartTable.set(row, kPartLevel, r.level);
  }
  const auto strokes = Draw(d);
  const std::vector<Stroke> parts(strokes.begin() + 4, strokes.end());
  const std::vector<Stroke> expected = {
      {'C', 9250, 10000, 120, 0, kOwn, {}},
      {'T', 9050, 10160, 0, 0, kOwn, u"U1"},
      {'C', 9250, 10000, 30, 0, kOwn, {}},
      {'C', 9250, 10750, 90, 0, kOwn, {}},
      {'T', 9050, 10490, 0, 0, kOwn, u"CN1"},
      {'C', 9250, 10750, 30, 0, kOwn, {}},
      {'C', 9250, 9610, 30, 0, CanvasColor::Rgb(2, 0, 0), {}},
      {'C', 10000, 10000, 30, 0, kOwn, {}},
      {'C', 10075, 10000, 30, 0, kOwn, {}},
  };
  EXPECT_EQ(parts, expected);
}

TEST(PlacementLegend, HasItsThreeLinesWithBlankLinesBetween) {
  EXPECT_EQ(PlacementLegend(),
            u" \r\n主部品は　（０，０）よりソート順配列\r\n\r\n従部品は　主部品との接続順に配列"
            u"\r\n\r\nパスコン等　配置未特定部品は　基板下に配置");
}

TEST(BoardSizeFromTexts, AcceptsOnlySizesWhoseOutlineFitsSixteenBits) {
  struct Case {
    Text x, y;
    bool ok;
    int width, height;
  };
  const Case cases[] = {
      {u"100", u"100", true, 100, 100},
      {u"758", u"1092", true, 758, 1092},
      {u"-1092", u"-758", true, -1092, -758},
      {u"759", u"100", false, 0, 0},
      {u"-1093", u"100", false, 0, 0},
      {u"100", u"1093", false, 0, 0},
      {u"100", u"-759", false, 0, 0},
      {u"758.5", u"99.5", true, 758, 100},
      {u"757.5", u" 50mm", true, 758, 50},
      {u"40000", u"100", false, 0, 0},
      {u"abc", u"", true, 0, 0},
      {u"&H64", u"1e2", true, 100, 100},
  };
  for (const Case& c : cases) {
    const auto size = BoardSizeFromTexts(c.x, c.y);
    ASSERT_EQ(size.has_value(), c.ok) << ToUtf8(c.x) << " " << ToUtf8(c.y);
    if (!size) continue;
    EXPECT_EQ(size->x, c.width) << ToUtf8(c.x);
    EXPECT_EQ(size->y, c.height) << ToUtf8(c.y);
  }
}

}  // namespace
}  // namespace pcbprep
