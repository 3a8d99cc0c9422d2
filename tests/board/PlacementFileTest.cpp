#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "board/BoardFormat.h"
#include "board/IdfBoard.h"
#include "board/PlacedPart.h"
#include "board/PlacementFile.h"

namespace pcbprep {
namespace {

// Parts on both sides, one without a place, one with a value a CSV must quote and one
// with a blank in its reference.
Design PlacedDesign() {
  Design d;
  const auto place = [&](TextView ref, TextView symbol, TextView x, TextView y, TextView side) {
    testing::AddPlacedPart(d, ref, symbol, x, y, side);
  };
  place(u"R1", u"R1608", u"10", u"5.5", kSideFront);
  place(u"C1", u"C1608", u"-25", u"10", kSideBack);
  place(u"U1", u"Package_SO:SOIC-8", u"", u"", kSideFront);
  place(u"U 2", u"", u"3", u"", kSideFront);  // Y empty: 0
  d.SchematicParts = {{u"R1", u"10k, 1%", u"", u""}, {u"U1", u"\"LM358\"", u"", u""}};
  return d;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size()) {
    lines.push_back(text.substr(from, at - from));
  }
  EXPECT_EQ(from, text.size()) << "the last line ends like the others";
  return lines;
}

TEST(PlacementFiles, CsvListsEveryPartWithItsPlaceAndSide) {
  const Design d = PlacedDesign();
  const BoardOutput out = WritePlacementCsv(testing::InputOf(d), "PLACE.csv");
  ASSERT_EQ(out.files.size(), 1u);
  EXPECT_EQ(out.files[0].path, "PLACE.csv");
  const std::vector<std::string> lines = Lines(out.files[0].bytes, "\r\n");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].rfind("# pcbprep ", 0), 0u);
  for (const char* says : {"mm", "lower left corner", "Y up", "counter-clockwise", "empty"}) {
    EXPECT_NE(lines[0].find(says), std::string::npos) << says;
  }
  EXPECT_EQ(lines[0].find(','), std::string::npos) << "no field separator in the comment";
  const std::vector<std::string> rows(lines.begin() + 1, lines.end());
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "Designator,Value,Package,Mid X,Mid Y,Rotation,Layer",
                      "R1,\"10k, 1%\",R_0603_1608Metric,10,5.5,0,Top",
                      "C1,C1608,C_0603_1608Metric,-25,10,0,Bottom",
                      "U1,\"\"\"LM358\"\"\",SOIC-8,,,0,Top",
                      "U 2,,U 2,3,0,0,Top",
                  }));
  EXPECT_NE(ToUtf8(out.summary).find("4"), std::string::npos);
}

TEST(PlacementFiles, PosLeavesOutPartsWithoutAPlaceAndSaysSo) {
  const Design d = PlacedDesign();
  const BoardOutput out = WritePlacementPos(testing::InputOf(d), "PLACE.pos");
  ASSERT_EQ(out.files.size(), 1u);
  const std::vector<std::string> lines = Lines(out.files[0].bytes, "\n");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("### Footprint positions", 0), 0u);
  EXPECT_EQ(lines[1], "## Unit = mm, Angle = deg.");
  EXPECT_EQ(lines.back(), "## End");
  std::vector<std::vector<std::string>> rows;
  bool toldLeftOut = false;
  for (const std::string& line : lines) {
    if (line.rfind("## ", 0) == 0 && line.find("left out: 1") != std::string::npos) {
      toldLeftOut = true;
    }
    if (line.rfind("#", 0) == 0 && line.rfind("# Ref", 0) != 0) continue;
    std::istringstream words(line);
    rows.emplace_back(std::istream_iterator<std::string>(words),
                      std::istream_iterator<std::string>());
  }
  EXPECT_TRUE(toldLeftOut);
  using Row = std::vector<std::string>;
  EXPECT_EQ(rows,
            (std::vector<Row>{
                {"#", "Ref", "Val", "Package", "PosX", "PosY", "Rot", "Side"},
                {"R1", "10k,_1%", "R_0603_1608Metric", "10.0000", "5.5000", "0.0000", "top"},
                {"C1", "C1608", "C_0603_1608Metric", "-25.0000", "10.0000", "0.0000", "bottom"},
                {"U_2", "~", "U_2", "3.0000", "0.0000", "0.0000", "top"},
            }));
  // The columns line up under their captions.
  const std::size_t posX = lines[5].find("PosX");
  EXPECT_EQ(lines[6].find("10.0000") + 7, posX + 4);
}

TEST(PlacementFiles, FormatsAreChosenByExtension) {
  const struct {
    const char* path;
    BoardWriter writer;
  } cases[] = {{"a/PLACE.CSV", WritePlacementCsv},
               {"x.pos", WritePlacementPos},
               {"board.Emn", WriteIdfBoard},
               {"board.emp", nullptr},
               {"board.txt", nullptr}};
  for (const auto& c : cases) {
    const BoardFormat* format = FindBoardFormat(c.path);
    EXPECT_EQ(format ? format->write : nullptr, c.writer) << c.path;
  }
}

}  // namespace
}  // namespace pcbprep
