#include "placement/Coordinates.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "design/Numeric.h"

namespace pcbprep {

namespace {

constexpr int kColumnPitch = 25;
constexpr int kSemiRowY = -25;
constexpr int kSubRowPitch = 3;
constexpr int kFirstMainSubRowY = 10;
constexpr int kFirstSemiSubRowY = -35;
constexpr int kBandGap = 15;
// Ten anchor columns make a band; a part lies beyond a band when it is left of the
// band's last column by more than the sub parts stacked beside that column (3 mm).
constexpr int kColumnsPerBand = 10;
constexpr int kBandWidth = kColumnsPerBand * kColumnPitch;
constexpr int kBandEdge = 5;
constexpr int kFoldedBands = 3;
constexpr int kBelowFirstX = 10;
constexpr int kBelowFirstY = -20;
constexpr int kBelowStepX = 5;
constexpr int kBelowLastX = 110;
constexpr int kBelowRowStep = 10;

// Three sub parts share a row: under the anchor, right of it, left of it.
constexpr int SubOffsetX(int fill) {
  constexpr int kOffsets[] = {0, 3, -3};
  return kOffsets[fill % 3];
}

// Anchors of one class in table order, each with the count of sub parts placed at it.
struct AnchorList {
  std::vector<int> fill{0};  // 1-based like the anchor numbers
  std::unordered_map<Text, std::vector<int>> positions;

  int append(const Text& reference) {
    fill.push_back(0);
    const int k = static_cast<int>(fill.size()) - 1;
    positions[reference].push_back(k);
    return k;
  }
  const std::vector<int>* find(const Text& reference) const {
    auto found = positions.find(reference);
    return found == positions.end() ? nullptr : &found->second;
  }
};

// The coordinates of one run are computed on a copy of the two columns and written
// back only when every value fits.
class CoordinateRun {
 public:
  explicit CoordinateRun(Design& design)
      : d_(design),
        parts_(design.partRows()),
        x_(static_cast<std::size_t>(parts_) + 1),
        y_(static_cast<std::size_t>(parts_) + 1),
        changed_(static_cast<std::size_t>(parts_) + 1, false) {
    for (int i = 1; i <= parts_; ++i) {
      x_[idx(i)] = d_.PartTable.at(i, kPartX);
      y_[idx(i)] = d_.PartTable.at(i, kPartY);
    }
  }

  // By main part: the anchors in a row, their sub parts by level, long rows folded into
  // bands, then the parts still without a place below the board.
  bool byMainPart() {
    AnchorList semis;
    AnchorList mains;
    return placeAnchors(semis, mains) && placeSubPartsByLevel(semis, mains) && foldBands() &&
           placeRestBelowBoard();
  }

  // Main parts in a row at y 0, semi parts in a row below, one column each going left.
  bool placeAnchors(AnchorList& semis, AnchorList& mains) {
    for (int i = 1; i <= parts_; ++i) {
      const Text& partClass = d_.PartTable.at(i, kPartClass);
      if (partClass == kClassSemi) {
        const int k = semis.append(d_.PartTable.at(i, kPartRef));
        if (!put(i, -kColumnPitch * k, kSemiRowY)) return false;
      } else if (partClass == kClassMain) {
        const int k = mains.append(d_.PartTable.at(i, kPartRef));
        if (!put(i, -kColumnPitch * k, 0)) return false;
      }
    }
    return true;
  }

  // Level by level, so that the parts nearest an anchor get the places nearest it.
  // The sub parts are sorted into their levels once, in table order, instead of
  // scanning the whole table for every level.
  bool placeSubPartsByLevel(AnchorList& semis, AnchorList& mains) {
    const std::vector<std::vector<int>> levels = SubPartsByLevel();
    for (std::size_t level = 1;; ++level) {
      bool placed = false;
      if (level >= levels.size()) break;
      for (const int i : levels[level]) {
        const Text& anchor = d_.PartTable.at(i, kPartMain);
        if (!stackAt(semis, anchor, i, kFirstSemiSubRowY, -kSubRowPitch, placed) ||
            !stackAt(mains, anchor, i, kFirstMainSubRowY, kSubRowPitch, placed)) {
          return false;
        }
      }
      if (!placed) break;
    }
    return true;
  }

  // Ten anchor columns fit left of the board; each further ten move right into the
  // same columns and up above everything placed so far.
  bool foldBands() {
    // Extents over every part, placed in this run or not.
    double m = 0;
    double c = 0;
    if (parts_ > 0) {
      m = RoundHalfEven(xValue(1));
      c = RoundHalfEven(yValue(1));
    }
    for (int i = 2; i <= parts_; ++i) {
      if (xValue(i) < m) m = RoundHalfEven(xValue(i));
      if (yValue(i) > c) c = RoundHalfEven(yValue(i));
    }
    if (!(m < -(kBandWidth + kBandEdge))) return true;

    // Band k (1 .. 3) beyond the first: a part left of it moves right by k band widths
    // and up by the lift of band k. The farthest band is tried first.
    const double lift[kFoldedBands + 1] = {0, c + kBandGap, 2 * (c + kBandGap) + kBandGap,
                                           3 * (c + kBandGap) + kBandGap};
    for (int i = 1; i <= parts_; ++i) {
      double x = xValue(i);
      double y = yValue(i);
      bool moved = false;
      for (int k = kFoldedBands; k >= 1; --k) {
        if (x < -(k * kBandWidth + kBandEdge)) {
          x += k * kBandWidth;
          y += lift[k];
          moved = true;
        }
      }
      if (moved && !put(i, x, y)) return false;
    }
    return true;
  }

  // Parts still without a place go into rows below the board.
  bool placeRestBelowBoard() {
    int x = kBelowFirstX;
    int y = kBelowFirstY;
    for (int i = 1; i <= parts_; ++i) {
      if (xValue(i) != 0) continue;
      if (!put(i, x, y)) return false;
      x += kBelowStepX;
      if (x > kBelowLastX) {
        x = kBelowFirstX;
        y -= kBelowRowStep;
      }
    }
    return true;
  }

  bool byGroup() {
    std::vector<int> fill{0};
    std::unordered_map<Text, int> positions;
    for (int i = 1; i <= parts_; ++i) {
      const Text& group = d_.PartTable.at(i, kPartGroup);
      if (group.empty()) continue;
      auto [found, added] = positions.try_emplace(group, static_cast<int>(fill.size()));
      if (added) fill.push_back(0);
      const int k = found->second;
      const int f = fill[idx(k)]++;
      if (!put(i, -kColumnPitch * k, 2 * f)) return false;
    }
    return true;
  }

  void commit() {
    for (int i = 1; i <= parts_; ++i) {
      if (!changed_[idx(i)]) continue;
      d_.PartTable.set(i, kPartX, x_[idx(i)]);
      d_.PartTable.set(i, kPartY, y_[idx(i)]);
    }
  }

  CoordinateResult failure() const { return {false, d_.PartTable.at(failedRow_, kPartRef)}; }

 private:
  static std::size_t idx(int i) { return static_cast<std::size_t>(i); }

  // Rows of the sub parts per level, in table order. A level cell counts when it is the
  // decimal text of a level as the main-part assignment writes it ("3", never "03" or
  // " 3"). Levels above one more than the number of parts are left out: the placing
  // stops at the first level without a placed part, so it never gets that far.
  std::vector<std::vector<int>> SubPartsByLevel() const {
    std::vector<std::vector<int>> levels(idx(parts_) + 2);
    for (int i = 1; i <= parts_; ++i) {
      if (d_.PartTable.at(i, kPartClass) != kClassSub) continue;
      const Text& cell = d_.PartTable.at(i, kPartLevel);
      if (cell.empty() || cell.size() > 5 || cell[0] == u'0') continue;
      std::size_t level = 0;
      bool digits = true;
      for (const char16_t c : cell) {
        if (c < u'0' || c > u'9') {
          digits = false;
          break;
        }
        level = level * 10 + static_cast<std::size_t>(c - u'0');
      }
      if (digits && level < levels.size()) levels[level].push_back(i);
    }
    return levels;
  }

  double xValue(int i) const { return NumericValue(x_[idx(i)]); }
  double yValue(int i) const { return NumericValue(y_[idx(i)]); }

  // Places part i at every anchor of the list named `anchor`: three to a row, the rows
  // going from firstY in steps of rowStep.
  bool stackAt(AnchorList& anchors, const Text& anchor, int i, int firstY, int rowStep,
               bool& placed) {
    const auto* positions = anchors.find(anchor);
    if (positions == nullptr) return true;
    for (const int k : *positions) {
      const int f = anchors.fill[idx(k)]++;
      placed = true;
      if (!put(i, -kColumnPitch * k + SubOffsetX(f), firstY + rowStep * (f / 3))) return false;
    }
    return true;
  }

  bool put(int i, double x, double y) {
    const Capacity& capacity = d_.capacity();
    const auto fits = [&](double v) {
      return v >= capacity.minCoordinate && v <= capacity.maxCoordinate;
    };
    if (!fits(x) || !fits(y)) {
      failedRow_ = i;
      return false;
    }
    x_[idx(i)] = CoordinateText(x);
    y_[idx(i)] = CoordinateText(y);
    changed_[idx(i)] = true;
    return true;
  }

  Design& d_;
  const int parts_;
  std::vector<Text> x_;
  std::vector<Text> y_;
  std::vector<bool> changed_;
  int failedRow_ = 0;
};

}  // namespace

Text CoordinateText(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return IntText(static_cast<long long>(value));
  }
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return IntText(0);
  return Text(buffer, result.ptr);
}

CoordinateResult DetermineCoordinates(Design& design, bool byMainPart, bool byGroup) {
  if (!byMainPart && !byGroup) return {};
  CoordinateRun run(design);
  const bool ok = byMainPart ? run.byMainPart() : run.byGroup();
  if (!ok) return run.failure();
  run.commit();
  return {};
}

CoordinateResult RunCoordinateDetermination(Design& design, bool byMainPart, bool byGroup,
                                            ListBoxState& list1) {
  const CoordinateResult result = DetermineCoordinates(design, byMainPart, byGroup);
  RefreshPartList(design, list1, -1);
  return result;
}

Text CoordinateRangeMessage(TextView part, const Capacity& capacity) {
  return u"部品 " + Text(part) + u" の座標が " + CoordinateText(capacity.minCoordinate) + u"～" +
         CoordinateText(capacity.maxCoordinate) + u" の範囲を超えるため、座標は変更していません。";
}

}  // namespace pcbprep
