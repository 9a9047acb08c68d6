// Why a table cell the computation reads as 0 was probably meant otherwise:
// full-width digits, a blank around the number, a decimal comma. The
// computation keeps its reading; these marks only tell the user why a row
// was not drawn as typed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/tablecells.h"

// The reason (Shift-JIS) the text of a table column reads as 0 although it
// holds more than a plain zero; empty when it reads as typed. Columns 1, 3
// and 5 hold integers, 2 and 4 reals.
std::string CellWarningReason(int32_t col, const std::string& sjis);

struct TCellWarning {
  int32_t Col = 0;
  int32_t Row = 0;
  std::string Status;  // for the status line: the point, the column, the reason
};

// Marks every cell of the rows the computation reads (up to the first blank
// row) with its reason; returns the first marked cell, if any.
std::optional<TCellWarning> MarkCellWarnings(TTableCells& cells);
