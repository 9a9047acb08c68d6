// StringGrid1's contents without a toolkit: the fixed texts (headers of
// row 0, point numbers of column 0) and the Shift-JIS texts of columns 1 to
// 5 exactly as typed, rows 1 to kTableRows. Each cell may carry a warning:
// the reason the computation reads its text as something other than what
// the user most likely meant, shown by the front end in red.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/tablefile.h"

// Columns of the grid, the fixed column 0 included.
inline constexpr int32_t kGridColumns = 6;

// Header of column 0..5 (row 0), Shift-JIS.
std::string GridHeader(int32_t col);
// The point number row 1..kTableRows fixes, as shown in column 0: row + 2.
std::string GridRowLabel(int32_t row);

class TTableCells {
 public:
  TTableCells();

  // col 1..5, row 1..kTableRows; anything else reads as empty.
  const std::string& Cell(int32_t col, int32_t row) const;
  // Outside the table nothing happens.
  void SetCell(int32_t col, int32_t row, const std::string& sjis);

  // All kTableRows rows, in order.
  const std::vector<TTableRow>& Rows() const { return rows_; }
  // Takes the rows from row 1 on and empties every row after them.
  void SetRows(const std::vector<TTableRow>& rows);

  // The reason the cell is shown in red; empty when it is not.
  const std::string& Warning(int32_t col, int32_t row) const;
  void SetWarning(int32_t col, int32_t row, const std::string& sjis);
  void ClearWarnings();

 private:
  static bool Inside(int32_t col, int32_t row);

  std::vector<TTableRow> rows_;
  std::vector<TTableRow> warnings_;
};
