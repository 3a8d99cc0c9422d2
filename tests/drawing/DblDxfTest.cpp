#include "drawing/DblDxf.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "drawing/DblReader.h"
#include "outline/OutlineGenerator.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep {
namespace {

namespace fs = std::filesystem;

TEST(DblDxf, LayerNamesLineweightsAndTexts) {
  EXPECT_EQ(DxfLayerName(23), "L23_OUTLINE");
  EXPECT_EQ(DxfLayerName(24), "L24_MOUNTING_HOLE");
  EXPECT_EQ(DxfLayerName(kViaLayer), "VIA");
  EXPECT_EQ(DxfLayerName(37), "L37");

  const std::pair<double, int> weights[] = {{0, 0},    {0.05, 5},  {0.3, 30},  {0.33, 35},
                                            {0.5, 50}, {1.0, 100}, {2.0, 200}, {5.0, 211}};
  for (const auto& [mm, weight] : weights) EXPECT_EQ(DxfLineweight(mm), weight) << mm;

  // Code page 932 bytes where the code page has the character, the escape where not.
  const std::pair<Text, std::string> texts[] = {
      {u"ABC-01  L1", "ABC-01  L1"},
      {u"制御①ｻ", "\x90\xA7\x8C\xE4\x87\x40\xBB"},
      {u"R3.00 X4", "R3.00 X4"},
      {u"100% %%d", "100% %%%%d"},  // "%%d" would be a degree sign
      {u"a\\b^c", "a\\U+005Cb^ c"},
      {u"基板❤한", "\x8A\xEE\x94\xC2\\U+2764\\U+D55C"},
      {u"\U0001F600", "\\U+D83D\\U+DE00"},
  };
  for (const auto& [text, dxf] : texts) EXPECT_EQ(DxfText(text), dxf);
}

TEST(DblDxf, KeptLayersHideTheRest) {
  DblDrawing d;
  for (const int layer : {23, 25}) {
    DblLine l;
    l.layer = layer;
    d.lines.push_back(l);
  }
  DblText t;
  t.layer = 17;
  d.texts.push_back(t);
  d.vias.push_back({});
  EXPECT_EQ(LayersHiddenExcept(d, {23, 0}), (std::set<int>{17, 25}));
  const std::string dxf = DblDxfDocument(d, LayersHiddenExcept(d, {23}));
  EXPECT_NE(dxf.find("L23_OUTLINE"), std::string::npos);
  EXPECT_EQ(dxf.find("L25_"), std::string::npos);
  EXPECT_EQ(dxf.find("\nVIA\r"), std::string::npos);
}

// What the DXF of a drawing must hold, from the DBL primitives: entities per layer and
// kind, the outline's extent, the first hole and the texts.
nlohmann::json Expected(const DblDrawing& d, const OutlineSettings& s) {
  std::map<std::string, int> counts;
  for (const auto& l : d.lines) ++counts[DxfLayerName(l.layer) + " LINE"];
  for (const auto& a : d.arcs) {
    ++counts[DxfLayerName(a.layer) + (std::fabs(a.sweep) >= 360 ? " CIRCLE" : " ARC")];
  }
  for (const auto& p : d.planes) ++counts[DxfLayerName(p.layer) + " HATCH"];
  for (const auto& t : d.texts) ++counts[DxfLayerName(t.layer) + " TEXT"];
  if (!d.vias.empty()) counts["VIA CIRCLE"] = static_cast<int>(d.vias.size());
  nlohmann::json e;
  e["counts"] = counts;
  if (s.outline && s.corner != CornerTreatment::kNone) {
    e["outline"] = {0.0, 0.0, s.width, s.height};
  }
  if (!d.vias.empty()) {
    const DblVia& v = d.vias.front();
    e["hole"] = {{"x", v.at.x}, {"y", v.at.y}, {"r", DblViaDiameter(v.padStack) / 2}};
  }
  e["texts"] = nlohmann::json::array();
  for (const auto& t : d.texts)
    e["texts"].push_back(DxfLayerName(t.layer) + " " + ToUtf8(t.characters));
  return e;
}

OutlineSettings Board(double w, double h, CornerTreatment corner, double size = 2.0) {
  OutlineSettings s;
  s.width = w;
  s.height = h;
  s.corner = corner;
  s.cornerSize = size;
  s.boardOrderName = u"ABC-01";
  s.boardNameValue = u"制御基板 REV.A";
  return s;
}

// Every DXF the generator's cases give is read back by ezdxf, audited and compared with
// its DBL drawing.
TEST(DblDxf, AnIndependentReaderReadsWhatTheDrawingHolds) {
  if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) {
    GTEST_SKIP() << "ezdxf cannot be imported by /usr/bin/python3 (python3-ezdxf, scripts/deps.sh)";
  }
  std::vector<std::pair<std::string, OutlineSettings>> cases = {
      {"square", Board(100, 80, CornerTreatment::kSquare)},
      {"rounded", Board(120, 80, CornerTreatment::kRounded, 3)},
      {"chamfered", Board(160, 100, CornerTreatment::kChamfered, 5)},
      {"no-corner", Board(50, 50, CornerTreatment::kNone)},
  };
  OutlineSettings six = Board(250, 180, CornerTreatment::kRounded, 10);
  ChooseBoardType(six, BoardType::kSixLayer);
  six.holeArrangement = 1;
  six.metalMaskText = true;
  six.metalMaskTextValue = u"表面 100%";
  cases.emplace_back("six-layer-no-holes", six);
  OutlineSettings odd = Board(90, 60, CornerTreatment::kChamfered, 1);
  ChooseBoardType(odd, BoardType::kDoubleSided);
  odd.cornerMarkWidth = 0.3;
  odd.holeDiameter = kHole20;
  cases.emplace_back("double-sided", odd);
  {
    std::ifstream in(fs::path(PCBPREP_EXAMPLES_DIR) / "outline.json", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    cases.emplace_back("example", ReadOutlineSettingsFile("outline.json", bytes.str()));
  }

  const fs::path dir = fs::temp_directory_path() / ("pcbprep-dxf-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const auto& [name, settings] : cases) {
    const DblReadResult read = ReadDbl(GenerateDbl(settings).text());
    ASSERT_TRUE(read.ok()) << name;
    std::ofstream(dir / (name + ".dxf"), std::ios::binary) << DblDxfDocument(read.drawing);
    std::ofstream(dir / (name + ".expect.json"), std::ios::binary)
        << Expected(read.drawing, settings).dump(1);
  }
  const std::string command = "/usr/bin/python3 " PCBPREP_DXF_CHECK " " + dir.string();
  EXPECT_EQ(std::system(command.c_str()), 0)
      << command << " (python3-ezdxf comes with scripts/deps.sh)";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pcbprep
