#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "outline/DblRecordLines.h"
#include "outline/OutlineGenerator.h"

namespace pcbprep {
namespace {

namespace fs = std::filesystem;

struct Step {
  const char* name;
  std::size_t count;
  const char* firstRecord;
};

// The window as it first opens (square corners, four-layer board, 3.5 mm corner
// holes 5 mm in, corner-mark width 0.4), with a 100 by 80 outline and a board order
// name typed in.
OutlineSettings FirstOpening() {
  OutlineSettings s;
  s.width = 100;
  s.height = 80;
  s.boardOrderName = u"ABC-01";
  return s;
}

// Checks that the records after the header are exactly these steps, in this order and
// with these counts, followed by "$END".
void ExpectSteps(const std::vector<std::string>& lines, const std::vector<Step>& steps) {
  std::size_t at = 1;
  for (const Step& step : steps) {
    ASSERT_LT(at, lines.size()) << step.name;
    EXPECT_EQ(lines[at], step.firstRecord) << step.name;
    at += step.count;
  }
  EXPECT_EQ(lines.size(), at + 1);
}

const std::vector<Step> kOutlineToPlanes = {
    {"outline", 4, "LINE: LE= 23,AP= 1, NA=, X= 0, Y= 0, X=  100, Y= 0/"},
    {"wiring area", 16, "LINE: LE= 11,AP= 1, NA=, X= 10, Y= 4, X=  90, Y= 4/"},
    {"outline dimensions", 18, "LINE: LE= 25, AP= 1, NA=, X= 0, Y= -1, X=  0, Y= -11/"},
    {"hole dimensions", 38, "LINE: LE= 26, AP= 1, NA=, X= 0, Y= -1, X=  0, Y= -7/"},
    {"guide lines", 4, "LINE: LE= 49, AP= 1, NA=, X= 50, Y= 40, X= 0, Y= 40/"},
    {"holes", 132, "VIA: AS=  92, NA=, X= 5, Y= 5/"},
    {"resist frame", 8, "LINE: LE= 15,AP= 20, NA=,X= -0.5, Y= -0.5,X= 100.5, Y= -0.5/"},
    {"corner marks", 8, "LINE: LE= 2,AP=8 , NA=, X= -.2, Y= -.2, X=  9.8, Y= -.2 / "},
    {"metal-mask marks", 8, "LINE: LE= 19,AP= 40, NA=, X= -1, Y= -1, X= -1, Y=  9 / "},
    {"ground plane", 6, "GPLANE: LE= 9,AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/"},
    {"outer planes", 12, "GPLANE: LE= 27,AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/"},
};

// L1, L2, L3, solder side, R1, R2, S1 and the assembly drawing: eight titles.
const Step kTitles = {"titles", 16,
                      "TEXT: LE=2, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/"};

TEST(OutlineEndToEnd, FirstOpeningDefaultsWriteEveryStepIntoTheFile) {
  const DblDocument doc = GenerateDbl(FirstOpening());
  std::vector<Step> steps = kOutlineToPlanes;
  steps.push_back(kTitles);  // no board name typed: no silk text
  const std::vector<std::string> lines = DblLines(doc.text());
  ExpectSteps(lines, steps);
  ASSERT_EQ(lines.size(), 272u);
  EXPECT_EQ(lines[270], "CHAR: NU= 10, ABC-01  BMH/");

  // One folder per process: several builds may run the tests at the same time.
  const fs::path dir =
      fs::temp_directory_path() / ("pcbprep-end-to-end-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path path = dir / "board.dbl";
  ASSERT_TRUE(doc.save(path).ok());
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  fs::remove_all(dir);

  const std::string head = "$GRAPHIC/\r\nLINE: LE= 23,AP= 1, NA=, X= 0, Y= 0, X=  100, Y= 0/\r\n";
  const std::string tail = "\r\nCHAR: NU= 10, ABC-01  BMH/\r\n$END\r\n\r\n";
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
}

TEST(OutlineEndToEnd, TypedBoardNameComesBetweenPlanesAndTitles) {
  OutlineSettings s = FirstOpening();
  s.boardNameValue = u"試作基板";
  std::vector<Step> steps = kOutlineToPlanes;
  steps.push_back(
      {"silk", 2, "TEXT: LE=17, AP=6, NA=, X= 40, Y= 84, HG=2, RO=0. MX=0, MY=0, JU=1/"});
  steps.push_back(kTitles);
  const std::vector<std::string> lines = DblLines(GenerateDbl(s).text());
  ExpectSteps(lines, steps);
  ASSERT_EQ(lines.size(), 274u);
  EXPECT_EQ(lines[256], "CHAR: NU= 4, 試作基板/");
}

}  // namespace
}  // namespace pcbprep
