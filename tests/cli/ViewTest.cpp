#include <set>

#include "cli/CliTestSupport.h"
#include "cli/XmlDocument.h"

namespace pcbprep::testing {
namespace {

std::string Attributes(const Element& e, std::initializer_list<const char*> names) {
  std::string out;
  for (const char* n : names) out += (out.empty() ? "" : " ") + e.attributes.at(n);
  return out;
}

TEST_F(ViewCommand, OutlineSvgOfTheSampleSettingsShowsTheBoardInMillimetresYUp) {
  const CliResult r = RunCli({"outline", kSampleSettings, "--svg", path("o.svg").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");  // the drawing file goes nowhere without -o
  const XmlDocument svg(ReadBytes(path("o.svg")));
  ASSERT_EQ(svg.error, "");
  ASSERT_FALSE(svg.elements.empty());
  EXPECT_EQ(svg.elements[0].name, "svg");

  // 120 x 80.5 with rounded corners of 3: four sides short of the corners by 3.
  std::set<std::string> sides;
  for (const Element* l : svg.all("line", "layer-23")) {
    sides.insert(Attributes(*l, {"x1", "y1", "x2", "y2"}));
  }
  EXPECT_EQ(sides, (std::set<std::string>{"3 0 117 0", "120 3 120 77.5", "0 3 0 77.5",
                                          "3 80.5 117 80.5"}));
  EXPECT_EQ(svg.all("path", "layer-23").size(), 4u);  // the corner arcs

  // 3.2 mm holes 4.5 mm in: the lower left one.
  const auto holes = svg.all("circle", "layer-24");
  ASSERT_EQ(holes.size(), 4u);
  EXPECT_EQ(Attributes(*holes[0], {"cx", "cy", "r"}), "4.5 4.5 1.6");

  // The board name on the silk layer, upright above the board.
  const auto silk = svg.all("text", "layer-17");
  ASSERT_FALSE(silk.empty());
  EXPECT_EQ(silk[0]->text, "制御基板 REV.A");

  // Together with -o, the DBL file is written as well, and view draws it the same.
  ASSERT_EQ(RunCli({"outline", kSampleSettings, "--svg", path("p.svg").string(), "-o",
                    path("o.dbl").string()})
                .code,
            0);
  EXPECT_EQ(ReadBytes(path("p.svg")), ReadBytes(path("o.svg")));
  const CliResult view = RunCli({"view", path("o.dbl").string()});
  ASSERT_EQ(view.code, 0) << view.err;
  const std::string drawn = ReadBytes(path("o.svg"));
  const auto body = [](const std::string& s) { return s.substr(s.find("<g id=\"drawing\"")); };
  EXPECT_EQ(body(view.out), body(drawn));

  // No drawing of a file that could not be written.
  const CliResult refused = RunCli({"outline", "--set", "Text8=\u00e9", "--svg",
                                    path("r.svg").string(), "-o", path("r.dbl").string()});
  EXPECT_EQ(refused.code, cli::kExitFailure);
  EXPECT_FALSE(fs::exists(path("r.svg")));
  EXPECT_FALSE(fs::exists(path("r.dbl")));
}

TEST_F(ViewCommand, ViewReportsTheLineOfABrokenRecordAndSkipsUnknownOnes) {
  const std::string broken =
      write("broken.dbl",
            "$GRAPHIC/\r\nVIA: AS= 92, NA=, X= 5, Y= 5/\r\nLINE: LE= 1, AP= 1, "
            "X= 0, Y= 0, X= 1/\r\n$END\r\n\r\n");
  CliResult r = RunCli({"view", broken, "-o", path("b.svg").string()});
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_NE(r.err.find("broken.dbl: 3 行目: LINE: Y= がありません"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(path("b.svg")));

  const std::string other = write("other.dbl", "$GRAPHIC/\r\nPAD: NO= 1/\r\n$END\r\n");
  r = RunCli({"view", other});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.err.find("1 件を読み飛ばしました"), std::string::npos) << r.err;
  EXPECT_EQ(XmlDocument(r.out).error, "");
}

// The DXF drawing comes from outline --dxf and from view by the output's extension,
// the same either way, and --layers keeps only the layers named.
TEST_F(ViewCommand, DxfFromTheOutlineAndFromViewAreOneDrawing) {
  ASSERT_EQ(RunCli({"outline", kSampleSettings, "-o", path("o.dbl").string(), "--dxf",
                    path("o.dxf").string()})
                .code,
            0);
  const std::string dxf = ReadBytes(path("o.dxf"));
  EXPECT_EQ(dxf.rfind("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n", 0),
            0u);
  const CliResult view = RunCli({"view", path("o.dbl").string(), "-o", path("v.DXF").string()});
  ASSERT_EQ(view.code, 0) << view.err;
  EXPECT_EQ(ReadBytes(path("v.DXF")), dxf);

  const struct {
    std::vector<std::string> args;
    const char* file;
  } kept[] = {
      {{"outline", kSampleSettings, "--layers", "23,24", "--dxf"}, "k1.dxf"},
      {{"view", path("o.dbl").string(), "--layers", "23,24", "-o"}, "k2.dxf"},
  };
  for (const auto& k : kept) {
    std::vector<std::string> args = k.args;
    args.push_back(path(k.file).string());
    ASSERT_EQ(RunCli(args).code, 0) << k.file;
    const std::string only = ReadBytes(path(k.file));
    EXPECT_NE(only.find("\r\nL23_OUTLINE\r\n"), std::string::npos) << k.file;
    EXPECT_NE(only.find("\r\nL24_MOUNTING_HOLE\r\n"), std::string::npos) << k.file;
    EXPECT_EQ(only.find("\r\nL25_"), std::string::npos) << k.file;
    EXPECT_EQ(only.find("\r\nVIA\r\n"), std::string::npos) << k.file;
  }
  EXPECT_EQ(ReadBytes(path("k1.dxf")), ReadBytes(path("k2.dxf")));

  const CliResult twice =
      RunCli({"outline", "--svg", path("t.x").string(), "--dxf", path("t.x").string()});
  EXPECT_EQ(twice.code, cli::kExitFailure);
  EXPECT_NE(twice.err.find("同じファイル"), std::string::npos) << twice.err;
}

}  // namespace
}  // namespace pcbprep::testing
