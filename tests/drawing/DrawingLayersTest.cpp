#include "drawing/DrawingLayers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pcbprep {
namespace {

// The board writers find the edge, the holes, the silk and the dimensions through the roles.
TEST(DrawingLayers, RolesOfTheLayersBoardWritersNeed) {
  const struct {
    int layer;
    LayerRole role;
  } cases[] = {
      {23, LayerRole::kOutline},  {24, LayerRole::kMountingHole}, {17, LayerRole::kSilkFront},
      {18, LayerRole::kSilkBack}, {25, LayerRole::kDimension},    {26, LayerRole::kDimension},
      {11, LayerRole::kOther},    {12, LayerRole::kOther},        {kViaLayer, LayerRole::kOther},
      {99, LayerRole::kOther},
  };
  for (const auto& c : cases) EXPECT_EQ(RoleOfLayer(c.layer), c.role) << c.layer;
}

// ASCII names go into DXF layer names and board files as they are; numbers are unique.
TEST(DrawingLayers, NamesAreAsciiAndNumbersUnique) {
  std::set<int> numbers;
  for (const DrawingLayer& layer : DrawingLayers()) {
    EXPECT_TRUE(numbers.insert(layer.number).second) << layer.number;
    const std::string ascii = layer.ascii;
    EXPECT_FALSE(ascii.empty());
    EXPECT_EQ(ascii.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"), std::string::npos)
        << ascii;
    EXPECT_NE(Text(layer.shown), Text());
    EXPECT_EQ(FindDrawingLayer(layer.number), &layer);
  }
  EXPECT_EQ(FindDrawingLayer(10), nullptr);
}

}  // namespace
}  // namespace pcbprep
