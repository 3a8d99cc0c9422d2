#pragma once

#include <array>
#include <vector>

#include "design/Text.h"

namespace pcbprep {

// Corner treatment of the outline, resist frame, corner marks and planes. kNone when
// no corner option is selected: the corner-dependent steps then write nothing.
enum class CornerTreatment { kNone, kSquare, kRounded, kChamfered };

// Board type of the outline window; it chooses the solder-side title suffix and the
// film-title preset. kNone when no board-type option is selected.
enum class BoardType { kNone, kDoubleSided, kFourLayer, kSixLayer };

// The film-title boxes in window order (Check1 to Check14).
enum FilmTitle : int {
  kTitleComponentSide,  // Check1 "部品面" (L1)
  kTitleL2,             // Check2
  kTitleL3,             // Check3
  kTitleL4,             // Check4
  kTitleL5,             // Check5
  kTitleSolderSide,     // Check6 "半田面"
  kTitleR1,             // Check7
  kTitleR2,             // Check8
  kTitleS1,             // Check9
  kTitleS2,             // Check10
  kTitleM1,             // Check11
  kTitleM2,             // Check12
  kTitleAssembly1,      // Check13 "実装図１" (BMH)
  kTitleAssembly2,      // Check14 "実装図２" (HMH)
  kFilmTitleCount
};

using FilmTitles = std::array<bool, kFilmTitleCount>;

// Positions of the hole diameter list (Combo1) and the arrangement list (Combo2).
inline constexpr int kHoleDiameterCount = 8;  // 0 "２.０ｍｍ------" .. 7 "４.５ｍｍ------"
inline constexpr int kHoleArrangementCount = 4;  // 0 four corner holes, 1..3 no holes
inline constexpr int kFourCornerHoles = 0;
// Whether the hole arrangement at a list position (Combo2) makes holes: only the four
// corner holes do; the other items are kept for the files that hold them.
inline constexpr bool HoleArrangementMakesHoles(int position) {
  return position == kFourCornerHoles;
}
// The hole diameter list by position: kHole32 is 3.2 mm.
enum HoleDiameterPosition : int {
  kHole20,
  kHole22,
  kHole25,
  kHole30,
  kHole32,
  kHole35,
  kHole40,
  kHole45
};

// The items of the two lists, in list order.
std::vector<Text> HoleDiameterItems();
std::vector<Text> HoleArrangementItems();

// Everything the outline window sets, as plain values, so a drawing file can be
// generated without the window. Numbers are millimetres read from their boxes by the
// numeric-field rule (NumericValue); the defaults are those of the window when it
// first opens.
struct OutlineSettings {
  // Outline data.
  double width = 0;                        // W, Text4 (empty at first)
  double height = 0;                       // H, Text5 (empty at first)
  double cornerSize = 2.0;                 // R, Text23: radius or chamfer leg
  double holeOffset = 5.0;                 // P, Text13: hole centres from the outline edges
  bool outline = true;                     // Check17
  bool wiringArea = true;                  // Check18
  bool outlineDimensions = true;           // Check21
  bool holeDimensions = true;              // Check19
  bool holeData = true;                    // Check23
  bool placementGuides = true;             // Check24
  int holeDiameter = kHole35;              // Combo1 position, "穴径　３.５ｍｍ"
  int holeArrangement = kFourCornerHoles;  // Combo2 position
  CornerTreatment corner = CornerTreatment::kSquare;  // Option6 / Option4 / Option5

  // Frame data.
  bool resistFrame = true;           // Check15
  bool cornerMarks = true;           // Check20
  double cornerMarkWidth = 0.4;      // T, Text6
  bool metalMaskCornerMarks = true;  // Check16
  bool groundPlane = true;           // Check22
  bool outerLayerPlanes = true;      // Check26

  // Texts.
  Text boardOrderName;  // N, Text1
  FilmTitles filmTitles = {true, true, true,  false, false, true, true,
                           true, true, false, false, false, true, false};
  bool metalMaskText = false;                   // Check27
  Text metalMaskTextValue;                      // Text15
  bool filmNumber = true;                       // Check31; the output does not depend on it
  BoardType boardType = BoardType::kFourLayer;  // Option1 / Option2 / Option3

  // Silk texts. Their height and width boxes do not reach the output.
  bool boardName = true;  // Check28
  Text boardNameValue;    // Text8
  bool subtitle = false;  // Check29
  Text subtitleValue;     // Text16
  bool comment = false;   // Check30
  Text commentValue;      // Text17
};

// The film-title boxes a board-type option sets when it is clicked. kNone gives all
// boxes cleared.
FilmTitles BoardTypePreset(BoardType type);

// A click on a board-type option: the type is chosen and its preset set.
void ChooseBoardType(OutlineSettings& settings, BoardType type);

}  // namespace pcbprep
