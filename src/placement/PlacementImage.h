#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "design/Design.h"

namespace pcbprep {

// Either the canvas's own drawing colour or an explicit RGB value.
struct CanvasColor {
  bool ownColor = true;
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  static constexpr CanvasColor Drawing() { return {}; }
  static constexpr CanvasColor Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {false, r, g, b};
  }
  friend bool operator==(const CanvasColor&, const CanvasColor&) = default;
};

// What the placement image is drawn on. Positions and radii are in twips (1/1440
// inch) from the upper left corner, y growing downwards.
class PlacementCanvas {
 public:
  virtual ~PlacementCanvas() = default;
  virtual void line(double x1, double y1, double x2, double y2, CanvasColor color) = 0;
  virtual void circle(double x, double y, double radius, CanvasColor color) = 0;
  // Text in the drawing colour with its upper left corner at (x, y).
  virtual void text(double x, double y, TextView text) = 0;
};

// The design origin lies at (10000, 10000) twips; one millimetre is 30 twips, and
// design Y grows upwards.
inline constexpr double kImageOrigin = 10000;
inline constexpr double kTwipsPerMm = 30;
inline double ImageX(double x) { return kImageOrigin + kTwipsPerMm * x; }
inline double ImageY(double y) { return kImageOrigin - kTwipsPerMm * y; }

// The three-line explanation shown beside the image.
Text PlacementLegend();

// Axes, board outline (BoardSizeX by BoardSizeY) and every part at its coordinates,
// main and semi parts marked and labelled, parts of level 2 in their own colour.
void DrawPlacementImage(const Design& design, PlacementCanvas& canvas);

// A part as the image shows it, kept with the picture so that pointing at it names
// what was drawn even after the table has changed.
struct PlacedPart {
  double x = 0;  // image point, twips
  double y = 0;
  double radius = 0;  // of its largest circle
  Text reference;
  Text symbol;
  Text xText;  // the coordinate cells as they stand
  Text yText;
  Text classCode;
  Text mainPart;
};

// Every part of the table where DrawPlacementImage draws it, in table order.
std::vector<PlacedPart> PlacedParts(const Design& design);

// The index of the part whose circle is nearest to (x, y) twips, counting a point
// within `slack` twips of a circle as on it; the later part wins a tie, as it is
// drawn on top. Nothing when no part is that close.
std::optional<std::size_t> PartAt(const std::vector<PlacedPart>& parts, double x, double y,
                                  double slack);

// What the pointer shows for a part: reference and symbol, coordinates, class and
// main part, one item a line.
Text PartTip(const PlacedPart& part);

// Board sizes whose outline corners still fit 16-bit twips.
inline constexpr int kMinBoardWidth = -1092;
inline constexpr int kMaxBoardWidth = 758;
inline constexpr int kMinBoardHeight = -758;
inline constexpr int kMaxBoardHeight = 1092;

struct BoardSize {
  std::int16_t x = 0;
  std::int16_t y = 0;
};

// The board size from the two size boxes, each rounded to whole millimetres (halves to
// even); nothing when either size cannot be drawn.
std::optional<BoardSize> BoardSizeFromTexts(TextView width, TextView height);

// Takes the board size from the two size boxes into BoardSizeX and BoardSizeY, as the
// image command does before drawing. Returns false, and leaves the design as it was,
// when the size cannot be drawn.
bool SetBoardSize(Design& design, TextView width, TextView height);

// Message for a board size that cannot be drawn, with the limits to keep to.
Text BoardSizeRangeMessage();

}  // namespace pcbprep
