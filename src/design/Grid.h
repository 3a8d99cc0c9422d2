#pragma once

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

#include "design/Text.h"

namespace pcbprep {

// A fixed-capacity table of text cells, rows and columns counted from 0 (row 0 is
// never used by the operations). Storage is compact: only rows up to the last one ever
// written are held, a row only holds cells up to the last one written in it, and every
// other cell reads as the empty text. So a large capacity costs nothing until used.
class Grid {
 public:
  Grid(int rows, int columns) : rowCount_(rows), columns_(columns) {}

  int rowCount() const { return rowCount_; }
  int columnCount() const { return columns_; }
  bool contains(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columns_;
  }

  const Text& at(int row, int column) const {
    check(row, column);
    if (static_cast<std::size_t>(row) >= rows_.size()) return empty();
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) return empty();
    return cells[static_cast<std::size_t>(column)];
  }

  void set(int row, int column, Text value) {
    check(row, column);
    if (static_cast<std::size_t>(row) >= rows_.size()) {
      if (value.empty()) return;
      rows_.resize(static_cast<std::size_t>(row) + 1);
    }
    auto& cells = rows_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) {
      if (value.empty()) return;
      cells.resize(static_cast<std::size_t>(column) + 1);
    }
    cells[static_cast<std::size_t>(column)] = std::move(value);
  }

  // Number of cells physically held by a row; every cell at or past it is empty.
  int storedWidth(int row) const {
    check(row, 0);
    if (static_cast<std::size_t>(row) >= rows_.size()) return 0;
    return static_cast<int>(rows_[static_cast<std::size_t>(row)].size());
  }

  // Number of rows physically held; every row at or past it is empty.
  int storedRows() const { return static_cast<int>(rows_.size()); }

  void clearRow(int row) {
    check(row, 0);
    if (static_cast<std::size_t>(row) < rows_.size()) rows_[static_cast<std::size_t>(row)].clear();
  }

  void clearAll() { rows_ = {}; }

  // Takes the cells of a table of the same columns, as many rows as this one has.
  void takeCells(Grid&& other) {
    rows_ = std::move(other.rows_);
    if (rows_.size() > static_cast<std::size_t>(rowCount_)) {
      rows_.resize(static_cast<std::size_t>(rowCount_));
    }
  }

 private:
  static const Text& empty() {
    static const Text kEmpty;
    return kEmpty;
  }
  void check(int row, int column) const {
    if (!contains(row, column)) throw std::out_of_range("table cell out of range");
  }

  std::vector<std::vector<Text>> rows_;
  int rowCount_;
  int columns_;
};

}  // namespace pcbprep
