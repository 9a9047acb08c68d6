// A stub of the window's table for the computations that read it through
// OutlineTable.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "exchange/outline.h"

// The window's edits and table as plain values: row r is rows[r - 1].
class TableStub : public OutlineTable {
 public:
  TableStub(std::string e1, std::string e2, std::vector<std::array<std::string, 5>> r)
      : edit1(std::move(e1)), edit2(std::move(e2)), rows(std::move(r)) {}
  std::string Edit1Text() const override { return edit1; }
  std::string Edit2Text() const override { return edit2; }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  std::string Cell(int col, int row) const override { return rows[row - 1][col - 1]; }
  void SetCell(int col, int row, const std::string& text) override {
    rows[row - 1][col - 1] = text;
  }

  std::string edit1, edit2;
  std::vector<std::array<std::string, 5>> rows;
};
