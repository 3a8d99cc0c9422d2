#include "placement/PlacementImage.h"

#include <algorithm>
#include <cmath>

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

std::vector<PlacedPart> PlacedParts(const Design& d) {
  std::vector<PlacedPart> parts;
  const int count = d.partRows();
  parts.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    PlacedPart p;
    p.xText = d.PartTable.at(i, kPartX);
    p.yText = d.PartTable.at(i, kPartY);
    p.x = ImageX(NumericValue(p.xText));
    p.y = ImageY(NumericValue(p.yText));
    p.classCode = d.PartTable.at(i, kPartClass);
    p.radius = p.classCode == kClassMain   ? kMainRadius
               : p.classCode == kClassSemi ? kSemiRadius
                                           : kPartRadius;
    p.reference = d.PartTable.at(i, kPartRef);
    p.symbol = d.PartTable.at(i, kPartSymbol);
    p.mainPart = d.PartTable.at(i, kPartMain);
    parts.push_back(std::move(p));
  }
  return parts;
}

std::optional<std::size_t> PartAt(const std::vector<PlacedPart>& parts, double x, double y,
                                  double slack) {
  std::optional<std::size_t> found;
  double best = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    // Distance outside the circle; 0 inside it, so the centre decides among those.
    const double d = std::hypot(parts[i].x - x, parts[i].y - y);
    const double outside = std::max(0.0, d - parts[i].radius);
    if (outside > slack) continue;
    const double score = outside > 0 ? parts[i].radius + outside : d;
    if (!found || score <= best) {
      found = i;
      best = score;
    }
  }
  return found;
}

Text PartTip(const PlacedPart& p) {
  const auto shownClass = ShownOfCode(kClassCodes, p.classCode);
  Text tip = p.reference;
  if (!p.symbol.empty()) tip += u"　" + p.symbol;
  tip += u"\nX= " + p.xText + u"  Y= " + p.yText;
  tip += u"\n区分: " + (shownClass ? *shownClass : p.classCode);
  tip += u"\n主部品: " + p.mainPart;
  return tip;
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
