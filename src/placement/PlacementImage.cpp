#include "placement/PlacementImage.h"

#include <algorithm>

#include "design/Numeric.h"

namespace pcbprep {

namespace {

constexpr double kMainRadius = 120;
constexpr double kSemiRadius = 90;
constexpr double kPartRadius = 30;
constexpr CanvasColor kBoardColor = CanvasColor::Rgb(4, 0, 0);
constexpr CanvasColor kSecondLevelColor = CanvasColor::Rgb(2, 0, 0);
// Parts two steps from their main part (kPartLevel) get their own colour.
constexpr TextView kSecondLevel = u"2";

}  // namespace

Text PlacementLegend() {
  return u" \r\n"
         u"主部品は　（０，０）よりソート順配列\r\n"
         u"\r\n"
         u"従部品は　主部品との接続順に配列\r\n"
         u"\r\n"
         u"パスコン等　配置未特定部品は　基板下に配置";
}

void DrawPlacementImage(const Design& d, PlacementCanvas& canvas) {
  // The axes run past the visible picture on purpose: the left and bottom board edges
  // are drawn by them.
  canvas.line(0, kImageOrigin, 25000, kImageOrigin, CanvasColor::Drawing());
  canvas.line(kImageOrigin, 0, kImageOrigin, 14000, CanvasColor::Drawing());

  const double right = ImageX(d.BoardSizeX);
  const double top = ImageY(d.BoardSizeY);
  canvas.line(kImageOrigin, top, right, top, kBoardColor);
  canvas.line(right, top, right, kImageOrigin, kBoardColor);

  const int parts = d.partRows();
  for (int i = 1; i <= parts; ++i) {
    const double px = ImageX(NumericValue(d.PartTable.at(i, kPartX)));
    const double py = ImageY(NumericValue(d.PartTable.at(i, kPartY)));
    const Text& partClass = d.PartTable.at(i, kPartClass);
    if (partClass == kClassMain) {
      canvas.circle(px, py, kMainRadius, CanvasColor::Drawing());
      canvas.text(px - 200, py + 160, d.PartTable.at(i, kPartRef));
    } else if (partClass == kClassSemi) {
      canvas.circle(px, py, kSemiRadius, CanvasColor::Drawing());
      canvas.text(px - 200, py - 260, d.PartTable.at(i, kPartRef));
    }
    const bool secondLevel = d.PartTable.at(i, kPartLevel) == kSecondLevel;
    canvas.circle(px, py, kPartRadius, secondLevel ? kSecondLevelColor : CanvasColor::Drawing());
  }
}

std::optional<BoardSize> BoardSizeFromTexts(TextView width, TextView height) {
  const auto x = ToInt16(NumericValue(width));
  const auto y = ToInt16(NumericValue(height));
  if (!x || !y) return std::nullopt;
  if (*x < kMinBoardWidth || *x > kMaxBoardWidth) return std::nullopt;
  if (*y < kMinBoardHeight || *y > kMaxBoardHeight) return std::nullopt;
  return BoardSize{*x, *y};
}

bool SetBoardSize(Design& design, TextView width, TextView height) {
  const auto size = BoardSizeFromTexts(width, height);
  if (!size) return false;
  design.BoardSizeX = size->x;
  design.BoardSizeY = size->y;
  return true;
}

Text BoardSizeRangeMessage() {
  return u"外形寸法が配置イメージに描ける範囲を超えています。\nＸは " + IntText(kMinBoardWidth) +
         u"～" + IntText(kMaxBoardWidth) + u"、Ｙは " + IntText(kMinBoardHeight) + u"～" +
         IntText(kMaxBoardHeight) + u" (mm) で入力してください。";
}

}  // namespace pcbprep
