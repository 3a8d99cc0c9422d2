#pragma once

#include <cstdint>
#include <span>

#include "design/Text.h"

namespace pcbprep {

// What each layer of an outline drawing is: the one table behind the picture's colours,
// the legend, the SVG groups, the DXF layer names and the board writers.

// Vias belong to no layer; they are shown and hidden as this pseudo-layer.
inline constexpr int kViaLayer = 0;

// What a board file for another tool makes of a layer.
enum class LayerRole {
  kOutline,       // the board edge
  kMountingHole,  // holes to drill
  kSilkFront,     // silk screen of the component side
  kSilkBack,      // silk screen of the solder side
  kDimension,     // dimension lines and their texts
  kOther,         // any other drawing: frames, planes, titles, marks
};

struct DrawingLayer {
  int number;
  const char16_t* shown;  // the name in the legend and the SVG ("外形線")
  const char* ascii;      // the name where only ASCII goes (DXF, board files): "OUTLINE"
  std::uint32_t color;    // 0xRRGGBB, well apart from its neighbours on white
  LayerRole role;
};

// The layers the outline generator writes, vias first, then by number.
std::span<const DrawingLayer> DrawingLayers();

// The entry of a layer, or nullptr for a layer the generator does not write.
const DrawingLayer* FindDrawingLayer(int number);

// The role of any layer number; kOther for those not in the table.
LayerRole RoleOfLayer(int number);

}  // namespace pcbprep
