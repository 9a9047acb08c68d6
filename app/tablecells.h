// StringGrid1's contents without a toolkit: the fixed texts (headers of
// row 0, point numbers of column 0) and the Shift-JIS texts of columns 1 to
// 5 exactly as typed, rows 1 to kTableRows. Each cell may carry a warning:
// the reason the computation reads its text as something other than what
// the user most likely meant, shown by the front end in red; and a mark: a
// text the grid shows in its place while the text stays the cell's value.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
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
  // Outside the table nothing happens. A new text takes the cell's mark
  // away: the grid shows what was typed.
  void SetCell(int32_t col, int32_t row, const std::string& sjis);

  // All kTableRows rows, in order.
  const std::vector<TTableRow>& Rows() const { return rows_; }
  // Takes the rows from row 1 on and empties every row after them.
  void SetRows(const std::vector<TTableRow>& rows);

  // The reason the cell is shown in red; empty when it is not.
  const std::string& Warning(int32_t col, int32_t row) const;
  void SetWarning(int32_t col, int32_t row, const std::string& sjis);
  void ClearWarnings();

  // The text the grid shows for the cell (a front end edits Cell()): its
  // mark, or its own text when it has none.
  const std::string& Shown(int32_t col, int32_t row) const;
  // The computation's "エラー" over the side flag of a row whose circles do
  // not meet; the flag typed stays, in the files too, and counts again once
  // the row meets.
  void SetMark(int32_t col, int32_t row, const std::string& sjis);
  void ClearMarks();

 private:
  static bool Inside(int32_t col, int32_t row);

  std::vector<TTableRow> rows_;
  std::vector<TTableRow> warnings_;
  // Few cells carry one, and the grid asks for every cell it paints.
  std::map<std::pair<int32_t, int32_t>, std::string> marks_;
};
