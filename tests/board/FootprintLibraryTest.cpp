#include "board/FootprintLibrary.h"

#include <gtest/gtest.h>

#include <fstream>

#include "board/FootprintSamples.h"

namespace pcbprep {
namespace {

using testing::kFootprintSamples;

std::string Text(const FootprintNode& node) {
  std::string out;
  AppendNodeText(out, node);
  return out;
}

std::vector<std::string> Pads(const FootprintNode& footprint) {
  std::vector<std::string> pads;
  for (const FootprintNode& item : footprint.items) {
    if (item.head() == "pad") pads.push_back(Text(item));
  }
  return pads;
}

TEST(FootprintLibrary, EverySyntaxReadsAsTheSameKicad6Footprint) {
  for (const auto& sample : kFootprintSamples) {
    SCOPED_TRACE(sample.syntax);
    const FootprintReadResult read = ReadKicadFootprint(sample.text, "Lib:R_Test");
    ASSERT_TRUE(read.footprint) << ToUtf8(read.error);
    const std::string text = Text(read.footprint->node);
    EXPECT_TRUE(text.starts_with("(footprint \"Lib:R_Test\" (layer \"F.Cu\")")) << text;
    for (const char* gone :
         {"module", "stroke", "uuid", "tstamp", "version", "property", "unlocked", "bold",
          "allow_soldermask_bridges", "thermal_bridge_angle", "embedded_fonts", "angle"}) {
      EXPECT_EQ(text.find(gone), std::string::npos) << gone << " in " << text;
    }
    EXPECT_NE(text.find("(fp_text reference \"REF**\" (at 0 -1.5"), std::string::npos) << text;
    EXPECT_NE(text.find("(fp_text value \"R_Test\" (at 0 1.5"), std::string::npos) << text;
    EXPECT_NE(text.find("(attr smd)"), std::string::npos) << text;
    const std::vector<std::string> pads = Pads(read.footprint->node);
    ASSERT_EQ(pads.size(), 2u);
    EXPECT_TRUE(pads[0].starts_with("(pad \"1\" smd rect (at -0.5 0.25 90) (size 0.5 0.6) (layers"))
        << pads[0];

    // The courtyard line and the arc, with the arc of KiCad 5 in three points.
    ASSERT_EQ(read.footprint->shapes.size(), 2u);
    const FootprintShape& courtyard = read.footprint->shapes[0];
    EXPECT_EQ(courtyard.layer, "F.CrtYd");
    EXPECT_EQ(courtyard.kind, FootprintShape::Kind::kLine);
    EXPECT_EQ(courtyard.points, (std::vector<DblPoint>{{-1, -0.5}, {1, -0.5}}));
    const FootprintShape& arc = read.footprint->shapes[1];
    EXPECT_EQ(arc.kind, FootprintShape::Kind::kArc);
    ASSERT_EQ(arc.points.size(), 3u);
    const DblPoint expected[] = {{1, 0}, {0.707107, 0.707107}, {0, 1}};
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(arc.points[i].x, expected[i].x, 1e-6);
      EXPECT_NEAR(arc.points[i].y, expected[i].y, 1e-6);
    }
  }
}

TEST(FootprintLibrary, FlipMirrorsAboutTheXAxisAndChangesSides) {
  const FootprintReadResult read = ReadKicadFootprint(kFootprintSamples[1].text, "Lib:R_Test");
  ASSERT_TRUE(read.footprint);
  const FootprintNode flipped = FlippedFootprint(read.footprint->node);
  const std::string text = Text(flipped);
  EXPECT_TRUE(text.starts_with("(footprint \"Lib:R_Test\" (layer \"B.Cu\")")) << text;
  EXPECT_EQ(Pads(flipped)[0],
            "(pad \"1\" smd rect (at -0.5 -0.25 -90) (size 0.5 0.6) (layers \"B.Cu\" \"B.Paste\" "
            "\"B.Mask\"))");
  EXPECT_NE(text.find("(fp_text reference \"REF**\" (at 0 1.5) (layer \"B.SilkS\") (effects (font "
                      "(size 1 1) (thickness 0.15)) (justify mirror)))"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("(fp_line (start -1 0.5) (end 1 0.5) (layer \"B.CrtYd\")"),
            std::string::npos);
  EXPECT_NE(text.find("(start 1 0) (mid 0.707107 -0.707107) (end 0 -1)"), std::string::npos);
  EXPECT_EQ(Text(FlippedFootprint(flipped)), Text(read.footprint->node));
}

TEST(FootprintLibrary, LookupFollowsTheFolderOrderAndNamesUnreadableFiles) {
  const auto root = std::filesystem::temp_directory_path() / "pcbprep-footprint-lookup";
  std::filesystem::remove_all(root);
  const auto write = [&](const std::filesystem::path& folder, const char* name, const char* text) {
    std::filesystem::create_directories(root / folder / "Lib.pretty");
    std::ofstream(root / folder / "Lib.pretty" / name) << text;
  };
  write("first", "Bad.kicad_mod", "(footprint \"Bad\" (pad");
  write("second", "Bad.kicad_mod", kFootprintSamples[1].text);
  write("second", "Good.kicad_mod", kFootprintSamples[0].text);
  FootprintLibraries libraries({root / "first", root / "second"});
  const FootprintLibraries::Found& bad = libraries.find("Lib:Bad", false);
  EXPECT_FALSE(bad.footprint);
  EXPECT_EQ(bad.unreadable, root / "first" / "Lib.pretty" / "Bad.kicad_mod");
  EXPECT_FALSE(bad.reason.empty());
  const FootprintLibraries::Found& good = libraries.find("Lib:Good", true);
  ASSERT_TRUE(good.footprint && good.flipped);
  EXPECT_EQ(good.footprint->name, "Lib:Good");
  for (const char* missing :
       {"Lib:None", "Other:Good", "NoLibrary", ":x", "Lib:", "Lib:../Lib.pretty/Good"}) {
    EXPECT_FALSE(libraries.find(missing, false).footprint) << missing;
    EXPECT_TRUE(libraries.find(missing, false).unreadable.empty()) << missing;
  }
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace pcbprep
