#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

#include "cli/CliTestSupport.h"
#include "cli/XmlDocument.h"

namespace pcbprep::testing {
namespace {

using Json = nlohmann::json;

TEST_F(ImageCommand, ImageIsWellFormedSvgWithEveryPartWhereTheWindowDrawsIt) {
  const std::vector<std::string> steps{"--main-parts", "--coordinates", "main"};
  std::vector<std::string> args{"image", kSample, "-o", path("sample.svg").string()};
  args.insert(args.end(), steps.begin(), steps.end());
  const CliResult r = RunCli(args);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const XmlDocument svg(ReadBytes(path("sample.svg")));
  ASSERT_EQ(svg.error, "");
  ASSERT_FALSE(svg.elements.empty());
  EXPECT_EQ(svg.elements[0].name, "svg");
  EXPECT_EQ(svg.elements[0].attributes.at("xmlns"), "http://www.w3.org/2000/svg");

  // Every part where the parts command puts it: design (x, y) mm at twips
  // (10000 + 30x, 10000 - 30y), a small circle in colour value 2 for level 2.
  args = {"parts", "--json", kSample};
  args.insert(args.end(), steps.begin(), steps.end());
  const Json parts = Json::parse(RunCli(args).out)["parts"];
  std::map<std::string, std::string> small;  // "cx,cy" -> stroke
  for (const Element* c : svg.all("circle", "image")) {
    if (c->number("r") == 30) {
      small[c->attributes.at("cx") + "," + c->attributes.at("cy")] = c->attributes.at("stroke");
    }
  }
  std::vector<std::string> labels;
  int anchors = 0;
  for (const Json& part : parts) {
    const std::string at = std::to_string(10000 + 30 * std::stoi(part["x"].get<std::string>())) +
                           "," +
                           std::to_string(10000 - 30 * std::stoi(part["y"].get<std::string>()));
    ASSERT_TRUE(small.count(at)) << part["reference"] << " at " << at;
    EXPECT_EQ(small[at], part["level"] == "2" ? "#020000" : "#000000") << part["reference"];
    if (part["class"] != "0") {
      labels.push_back(part["reference"]);
      ++anchors;
    }
  }
  EXPECT_EQ(svg.all("circle", "image").size(), parts.size() + anchors);

  // Main parts U, X and IC, semi parts CN and J, labelled by their references.
  std::vector<std::string> texts;
  for (const Element* t : svg.all("text", "image")) texts.push_back(t->text);
  std::sort(texts.begin(), texts.end());
  std::sort(labels.begin(), labels.end());
  EXPECT_EQ(texts, labels);
  EXPECT_EQ(texts, (std::vector<std::string>{"CN1", "IC1", "J1", "U1", "U2", "X1"}));

  // The legend box, line by line.
  std::string legend;
  for (const Element* t : svg.all("text", "legend")) legend += t->text + "|";
  EXPECT_EQ(legend,
            " |主部品は　（０，０）よりソート順配列||従部品は　主部品との接続順に配列||"
            "パスコン等　配置未特定部品は　基板下に配置|");
}

TEST_F(ImageCommand, ImageDrawsTheBoardOfTheGivenSize) {
  const struct {
    const char* board;
    const char* right;
    const char* top;
  } cases[] = {
      {"100x100", "13000", "7000"},
      {"120X80", "13600", "7600"},
      {"120.5x99.5", "13600", "7000"},  // each rounded, halves to the even neighbour
      {"1x1", "10030", "9970"},
  };
  const std::string file = netlist("one.NET", "A[U1-1\nR1-1]\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.board);
    const CliResult r = RunCli({"image", file, "--board", c.board});
    ASSERT_EQ(r.code, 0) << r.err;
    const XmlDocument svg(r.out);
    ASSERT_EQ(svg.error, "");
    std::vector<std::string> board;
    for (const Element* l : svg.all("line", "image")) {
      if (l->attributes.at("stroke") != "#040000") continue;
      board.push_back(l->attributes.at("x1") + " " + l->attributes.at("y1") + " " +
                      l->attributes.at("x2") + " " + l->attributes.at("y2"));
    }
    const std::string right = c.right;
    const std::string top = c.top;
    EXPECT_EQ(board, (std::vector<std::string>{"10000 " + top + " " + right + " " + top,
                                               right + " " + top + " " + right + " 10000"}));
    // The sheet takes in the window's picture and the axes.
    const Element& root = svg.elements[0];
    EXPECT_EQ(root.attributes.at("viewBox"), "-15 -15 25030 14030");
    EXPECT_EQ(root.attributes.at("width"), "441.5mm");  // 25030 twips at 1440 an inch
  }
}

TEST_F(ImageCommand, ImageLabelsAreEscapedAndNothingOutsideXmlSlipsIn) {
  // Main parts whose references hold markup and a control character.
  const std::string file = netlist("odd.NET", "A[U1&<>\"'-1\nU2\x01-1\nR1-1]\n");
  const CliResult r = RunCli({"image", file});
  ASSERT_EQ(r.code, 0) << r.err;
  const XmlDocument svg(r.out);
  ASSERT_EQ(svg.error, "");
  std::vector<std::string> texts;
  for (const Element* t : svg.all("text", "image")) texts.push_back(t->text);
  EXPECT_EQ(texts, (std::vector<std::string>{"U1&<>\"'", "U2\xEF\xBF\xBD"}));
}

TEST_F(ImageCommand, ImageWritesTheSameDocumentToAFileAsToStandardOutput) {
  const CliResult toFile = RunCli({"image", kSample, "--output", path("a.svg").string()});
  const CliResult toOut = RunCli({"image", kSample});
  ASSERT_EQ(toFile.code, 0);
  ASSERT_EQ(toOut.code, 0);
  EXPECT_EQ(ReadBytes(path("a.svg")), toOut.out);
}

TEST_F(ImageCommand, BoardSizesThatCannotBeDrawnOrReadAreRefused) {
  const struct {
    const char* board;
    const char* message;
  } cases[] = {
      {"759x100",
       "外形寸法が配置イメージに描ける範囲を超えています。\nＸは -1092～758、Ｙは -758～1092"},
      {"100x-759", "--board には 幅x高さ"},
      {"100", "--board には 幅x高さ"},
      {"100x", "--board には 幅x高さ"},
      {"12abcx100", "--board には 幅x高さ"},
      // A board of no size or a negative one, as the size without its height.
      {"0x80", "--board には 幅x高さ (mm) を 0 より大きい数で指定してください"},
      {"-5x80", "--board には 幅x高さ"},
      {"100x0.4", "--board には 幅x高さ"},  // rounds to no height
  };
  for (const auto& c : cases) {
    const CliResult r = RunCli({"image", kSample, "--board", c.board, "-o", path("x.svg")});
    EXPECT_EQ(r.code, cli::kExitFailure) << c.board;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("x.svg")));
  }
}

}  // namespace
}  // namespace pcbprep::testing
