#include "app/PartTableModel.h"

#include "app/UiSupport.h"
#include "design/Numeric.h"

namespace pcbprep {

void PartTableModel::setRows(std::vector<PartViewRow> rows, std::vector<SchematicCells> schematic) {
  if (rows.size() != rows_.size() || schematic.empty() != schematic_.empty()) {
    beginResetModel();
    rows_ = std::move(rows);
    schematic_ = std::move(schematic);
    endResetModel();
    return;
  }
  if (schematic != schematic_) {
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

}  // namespace pcbprep
