#include "app/PartTableModel.h"

#include "app/UiSupport.h"
#include "design/Numeric.h"

namespace pcbprep {

void PartTableModel::setRows(std::vector<PartViewRow> rows) {
  if (rows.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    return;
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
  return parent.isValid() ? 0 : static_cast<int>(kPartViewColumns.size());
}

QVariant PartTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto column = static_cast<std::size_t>(index.column());
  const Text& cell = rows_[static_cast<std::size_t>(index.row())][column];
  if (role == Qt::DisplayRole) return Q(cell);
  if (role == kSortRole) {
    if (kPartViewColumns[column].numeric) return NumericValue(cell);
    return Q(cell);
  }
  return {};
}

QVariant PartTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromUtf16(kPartViewColumns[static_cast<std::size_t>(section)].heading);
}

}  // namespace pcbprep
