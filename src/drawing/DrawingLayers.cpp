#include "drawing/DrawingLayers.h"

#include <iterator>

namespace pcbprep {

namespace {

using enum LayerRole;

// Layers sharing a name (1 and 7, 13 and 14, 27 and 28) carry the same drawing for the
// two sides of the board.
constexpr DrawingLayer kLayers[] = {
    {kViaLayer, u"ビア", "VIA", 0x606060, kOther},
    {1, u"取付穴抜きベタ", "HOLE_CLEAR_PLANE", 0x9cc3e6, kOther},
    {2, u"コーナーマーク・L1", "CORNER_MARK_L1", 0x1f77b4, kOther},
    {3, u"タイトル L2", "TITLE_L2", 0x17becf, kOther},
    {4, u"タイトル L3", "TITLE_L3", 0x2ca02c, kOther},
    {5, u"タイトル L4", "TITLE_L4", 0x8c564b, kOther},
    {6, u"タイトル L5", "TITLE_L5", 0xbcbd22, kOther},
    {7, u"取付穴抜きベタ", "HOLE_CLEAR_PLANE", 0xa6d5a0, kOther},
    {8, u"半田面タイトル", "SOLDER_TITLE", 0x9467bd, kOther},
    {9, u"ＧＮＤベタ（ネガ）", "GND_PLANE_NEG", 0xc5b0d5, kOther},
    {11, u"配線エリア", "WIRING_AREA", 0x2ca02c, kOther},
    {12, u"取付穴外周", "HOLE_OUTER", 0xff7f0e, kOther},
    {13, u"取付穴ランド", "HOLE_LAND", 0xffbb78, kOther},
    {14, u"取付穴ランド", "HOLE_LAND", 0xf7b6d2, kOther},
    {15, u"レジスト枠・R1", "RESIST_R1", 0xd62728, kOther},
    {16, u"R2", "RESIST_R2", 0xe377c2, kOther},
    {17, u"シルク・S1", "SILK_S1", 0x7f7f7f, kSilkFront},
    {18, u"S2", "SILK_S2", 0xaec7e8, kSilkBack},
    {19, u"メタルマスク・M1", "METAL_MASK_M1", 0x8c6d31, kOther},
    {20, u"M2", "METAL_MASK_M2", 0xbd9e39, kOther},
    {21, u"実装図 BMH", "ASSEMBLY_BMH", 0x393b79, kOther},
    {22, u"実装図 HMH", "ASSEMBLY_HMH", 0x637939, kOther},
    {23, u"外形線", "OUTLINE", 0x000000, kOutline},
    {24, u"取付穴", "MOUNTING_HOLE", 0xd62728, kMountingHole},
    {25, u"外形寸法線", "OUTLINE_DIMENSION", 0x1f77b4, kDimension},
    {26, u"取付穴寸法線", "HOLE_DIMENSION", 0x9467bd, kDimension},
    {27, u"外層ベタ", "OUTER_PLANE", 0xdbdb8d, kOther},
    {28, u"外層ベタ", "OUTER_PLANE", 0xc49c94, kOther},
    {49, u"配置補助線", "PLACEMENT_GUIDE", 0x17becf, kOther},
};

}  // namespace

std::span<const DrawingLayer> DrawingLayers() { return kLayers; }

const DrawingLayer* FindDrawingLayer(int number) {
  for (const DrawingLayer& layer : kLayers) {
    if (layer.number == number) return &layer;
  }
  return nullptr;
}

LayerRole RoleOfLayer(int number) {
  const DrawingLayer* layer = FindDrawingLayer(number);
  return layer ? layer->role : kOther;
}

}  // namespace pcbprep
