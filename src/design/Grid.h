#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

#include "design/Text.h"

namespace pcbprep {

// A fixed-capacity table of text cells, rows and columns counted from 0 (row 0 is
// never used by the operations). Storage is compact: a row only holds cells up to the
// last one ever written, and every other cell reads as the empty text.
class Grid {
 public:
  Grid(int rows, int columns) : rows_(static_cast<std::size_t>(rows)), columns_(columns) {}

  int rowCount() const { return static_cast<int>(rows_.size()); }
  int columnCount() const { return columns_; }
  bool contains(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columns_;
  }

  const Text& at(int row, int column) const {
    check(row, column);
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) return empty();
    return cells[static_cast<std::size_t>(column)];
  }

  void set(int row, int column, Text value) {
    check(row, column);
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
    return static_cast<int>(rows_[static_cast<std::size_t>(row)].size());
  }

  void clearRow(int row) {
    check(row, 0);
    rows_[static_cast<std::size_t>(row)].clear();
  }

  void clearAll() {
    for (auto& cells : rows_) cells.clear();
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
  int columns_;
};

}  // namespace pcbprep
