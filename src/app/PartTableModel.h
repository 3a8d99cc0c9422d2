#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

#include "symbol/PartTableView.h"

class QFontMetrics;

namespace pcbprep {

// The rows of the part table view as they were when the part list was last
// refreshed; row r is part r + 1. The sort role gives numbers for numeric columns and
// for values that read as numbers (4k7), texts otherwise.
class PartTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kSortRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  // Rows that changed in the last setRows: all of them after a reset.
  struct Changed {
    int first = -1;  // none when negative
    int last = -1;
    bool reset = false;
  };
  // Takes new rows, announcing only the rows that changed when the count is the same;
  // `schematic` adds the value and footprint columns when it is not empty.
  Changed setRows(std::vector<PartViewRow> rows, std::vector<SchematicCells> schematic = {});

  // The width of the widest text of each column among rows first .. last, in the given
  // font; X and Y at least as wide as "-32768".
  std::vector<int> textWidths(const QFontMetrics& metrics, int first, int last) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<PartViewRow> rows_;
  std::vector<SchematicCells> schematic_;  // one per row, or none
};

// Orders the rows by the sort role: numbers by value before texts, texts as texts.
class PartTableOrder : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace pcbprep
