#include "app/PartTableModel.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/UiSupport.h"
#include "design/Numeric.h"

namespace pcbprep {

namespace {

constexpr std::size_t kValueColumn = kPartViewColumns.size();  // 値, the first added column

}  // namespace

PartTableModel::Changed PartTableModel::setRows(std::vector<PartViewRow> rows,
                                                std::vector<SchematicCells> schematic) {
  if (rows.size() != rows_.size() || schematic.empty() != schematic_.empty()) {
    beginResetModel();
    rows_ = std::move(rows);
    schematic_ = std::move(schematic);
    endResetModel();
    return {0, rowCount() - 1, true};
  }
  Changed changed;
  if (schematic != schematic_) {
    changed = {0, rowCount() - 1, false};
    schematic_ = std::move(schematic);
    if (!rows_.empty()) {
      emit dataChanged(index(0, static_cast<int>(kPartViewColumns.size())),
                       index(static_cast<int>(rows_.size()) - 1, columnCount() - 1));
    }
  }
  // One notice for the rows between the first and the last change: a command that
  // touches every part costs one repaint, not a thousand.
  int first = -1;
  int last = -1;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (rows[r] == rows_[r]) continue;
    rows_[r] = std::move(rows[r]);
    if (first < 0) first = static_cast<int>(r);
    last = static_cast<int>(r);
  }
  if (first >= 0) emit dataChanged(index(first, 0), index(last, columnCount() - 1));
  if (changed.first < 0) changed = {first, last, false};
  return changed;
}

std::vector<int> PartTableModel::textWidths(const QFontMetrics& metrics, int first,
                                            int last) const {
  // Estimated a character at a time; only the widest text of each column is measured
  // whole.
  TextWidths estimate(metrics);
  const int columns = columnCount();
  std::vector<int> widths(static_cast<std::size_t>(columns), 0);
  std::vector<const Text*> widest(static_cast<std::size_t>(columns), nullptr);
  std::vector<int> widestEstimate(static_cast<std::size_t>(columns), -1);
  for (int r = std::max(first, 0); r <= last && r < rowCount(); ++r) {
    for (int c = 0; c < columns; ++c) {
      const auto column = static_cast<std::size_t>(c);
      const auto row = static_cast<std::size_t>(r);
      const bool extra = column >= kPartViewColumns.size();
      if (extra && row >= schematic_.size()) continue;
      const Text& cell =
          extra ? schematic_[row][column - kPartViewColumns.size()] : rows_[row][column];
      const int width = estimate.of(cell);
      if (width > widestEstimate[column]) {
        widestEstimate[column] = width;
        widest[column] = &cell;
      }
    }
  }
  for (std::size_t c = 0; c < widths.size(); ++c) {
    if (widest[c] != nullptr) {
      widths[c] = std::max(widestEstimate[c], metrics.horizontalAdvance(Q(*widest[c])));
    }
    if (c < kPartViewColumns.size() &&
        (kPartViewColumns[c].column == kPartX || kPartViewColumns[c].column == kPartY)) {
      widths[c] = std::max(widths[c], metrics.horizontalAdvance(QStringLiteral("-32768")));
    }
  }
  return widths;
}

int PartTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PartTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(kPartViewColumns.size() +
                          (schematic_.empty() ? 0 : kSchematicHeadings.size()));
}

QVariant PartTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto column = static_cast<std::size_t>(index.column());
  const auto row = static_cast<std::size_t>(index.row());
  const bool extra = column >= kPartViewColumns.size();
  if (extra && row >= schematic_.size()) return {};
  const Text& cell = extra ? schematic_[row][column - kPartViewColumns.size()] : rows_[row][column];
  if (role == Qt::DisplayRole) return Q(cell);
  if (role == kSortRole) {
    if (!extra && kPartViewColumns[column].numeric) return NumericValue(cell);
    if (column == kValueColumn) {
      if (const auto number = ComponentValueNumber(cell)) return *number;
    }
    return Q(cell);
  }
  return {};
}

QVariant PartTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  const auto column = static_cast<std::size_t>(section);
  if (column >= kPartViewColumns.size()) {
    return QString::fromUtf16(kSchematicHeadings[column - kPartViewColumns.size()]);
  }
  return QString::fromUtf16(kPartViewColumns[column].heading);
}

bool PartTableOrder::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const QVariant a = left.data(sortRole());
  const QVariant b = right.data(sortRole());
  const bool aNumber = a.typeId() == QMetaType::Double;
  const bool bNumber = b.typeId() == QMetaType::Double;
  if (aNumber && bNumber) return a.toDouble() < b.toDouble();
  if (aNumber != bNumber) return aNumber;
  return a.toString() < b.toString();
}

}  // namespace pcbprep
