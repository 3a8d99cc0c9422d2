#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "symbol/PartTableView.h"

namespace pcbprep {

// The rows of the part table view as they were when the part list was last
// refreshed; row r is part r + 1. The sort role gives numbers for numeric columns.
class PartTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kSortRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  // Takes new rows, announcing only the rows that changed when the count is the same;
  // `schematic` adds the value and footprint columns when it is not empty.
  void setRows(std::vector<PartViewRow> rows, std::vector<SchematicCells> schematic = {});

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<PartViewRow> rows_;
  std::vector<SchematicCells> schematic_;  // one per row, or none
};

}  // namespace pcbprep
