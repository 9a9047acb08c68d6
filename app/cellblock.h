// Blocks of table cells as spreadsheets put them on the clipboard: cells
// separated by tabs, one row a line, a line break after the last row.
#pragma once

#include <string>
#include <vector>

#include "app/frontend.h"
#include "app/tablecells.h"

// Rows of cells, each row as long as its line had cells.
using CellBlock = std::vector<std::vector<std::string>>;

// The block of the text (Shift-JIS): one line break at the end is dropped,
// lines end in CR LF, LF or CR. An empty text is one empty cell.
CellBlock ParseCellBlock(const std::string& sjis);

// Puts the block into the cells with its first cell at `at`; false, and
// nothing changed, when it reaches beyond column 5 or the last row.
bool PasteCellBlock(TTableCells& cells, TCellPos at, const CellBlock& block);

// Empties the cells of the range (corners in any order, held to the
// table), as Delete does in a spreadsheet; false when every one was empty
// already, so nothing need be computed anew.
bool ClearCellBlock(TTableCells& cells, const TCellRange& range);

// The cells of the range as a block: tabs between cells, CR LF after each
// row, as spreadsheets expect it.
std::string FormatCellBlock(const TTableCells& cells, const TCellRange& range);
