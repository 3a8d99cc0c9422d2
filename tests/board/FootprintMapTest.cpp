#include "board/FootprintMap.h"

#include <gtest/gtest.h>

#include "design/CodePage.h"

namespace pcbprep {
namespace {

TEST(FootprintMap, PartsTakeTheirFootprintInOrderOfPrecedence) {
  FootprintMap map = DefaultFootprintMap();
  ASSERT_FALSE(
      ReadFootprintMap("# mine\r\nC1608,MyLib:C_0603\n\nSOP8\tPackage_SO:SOIC-8\t1.75\n", map));
  const SchematicPart fromNetlist{u"U1", u"LM358", u"Package_SO:SOIC-8_3.9x4.9mm_P1.27mm", u""};
  const SchematicPart withoutLibrary{u"U2", u"", u"DIP8", u""};
  struct Case {
    const char16_t* reference;
    const char16_t* symbol;
    const SchematicPart* schematic;
    const char16_t* footprint;
  };
  const Case cases[] = {
      {u"R1", u"R1005", nullptr, u"Resistor_SMD:R_0402_1005Metric"},  // default
      {u"L1", u"L3225", nullptr, u"Inductor_SMD:L_1210_3225Metric"},
      {u"RN1", u"RA8-M", nullptr, u"Resistor_SMD:R_Array_Convex_8x0602"},
      {u"TP1", u"TP15", nullptr, u"TestPoint:TestPoint_Pad_D1.5mm"},
      {u"C1", u"C1608", nullptr, u"MyLib:C_0603"},  // the user file over the default
      {u"U3", u"SOP8", nullptr, u"Package_SO:SOIC-8"},
      {u"U4", u"Lib:Name", &fromNetlist, u"Lib:Name"},  // already LIB:NAME
      {u"U1", u"SOIC-8_3.9x4.9mm_P1.27mm", &fromNetlist, u"Package_SO:SOIC-8_3.9x4.9mm_P1.27mm"},
      {u"U1", u"", &fromNetlist, u"Package_SO:SOIC-8_3.9x4.9mm_P1.27mm"},
      {u"U2", u"", &withoutLibrary, u"DIP8"},
      {u"U5", u"", nullptr, u"pcbprep:U5"},
      {u"U6", u"QFP64", nullptr, u"pcbprep:QFP64"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FootprintOfPart(map, c.reference, c.symbol, c.schematic), c.footprint)
        << ToUtf8(c.reference);
  }
  EXPECT_EQ(map.find(u"SOP8")->height, 1.75);
  EXPECT_FALSE(map.find(u"C1608")->height);
}

TEST(FootprintMap, CodePage932AndByteOrderMarkAreRead) {
  for (const std::string& bytes :
       {EncodeCp932(u"抵抗,Lib:R\r\n").bytes, "\xEF\xBB\xBF" + ToUtf8(u"抵抗\tLib:R")}) {
    FootprintMap map;
    ASSERT_FALSE(ReadFootprintMap(bytes, map));
    ASSERT_TRUE(map.find(u"抵抗"));
    EXPECT_EQ(map.find(u"抵抗")->footprint, u"Lib:R");
  }
}

TEST(FootprintMap, BadLinesAreRefusedWithTheirLineAndChangeNothing) {
  const char* bad[] = {"C1608\n",           "C1608,Lib:A,1,extra\n", ",Lib:A\n",
                       "C1608,NoLibrary\n", "C1608,Lib:A,tall\n",    "C1608,Lib:A,-1\n"};
  for (const char* line : bad) {
    FootprintMap map = DefaultFootprintMap();
    const auto error = ReadFootprintMap(std::string("R9,Lib:R9\n# note\n") + line, map);
    ASSERT_TRUE(error) << line;
    EXPECT_EQ(error->line, 3) << line;
    EXPECT_FALSE(map.find(u"R9")) << line;
    EXPECT_EQ(map.find(u"C1608")->footprint, u"Capacitor_SMD:C_0603_1608Metric");
  }
  FootprintMap map;
  EXPECT_EQ(
      FootprintMapErrorMessage(u"m.csv", *ReadFootprintMap("x\n", map)),
      u"m.csv 1 行目: シンボル名とフットプリント（ライブラリ:名前）の 2 項目ではありません。「x」");
}

}  // namespace
}  // namespace pcbprep
