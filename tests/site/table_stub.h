// The window's edits and table as plain values, and the computation run
// over them as the window runs it.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/sjis.h"
#include "site/outline.h"

// The window's edits and table as plain values: row r is rows[r - 1].
struct TableStub {
  TableStub(std::string e1, std::string e2, std::vector<std::array<std::string, 5>> r)
      : edit1(std::move(e1)), edit2(std::move(e2)), rows(std::move(r)) {}

  std::string edit1, edit2;
  std::vector<std::array<std::string, 5>> rows;
};

// The outline of the stub's values put into the store, and "エラー" in the
// side column of the rows it could not solve, as the window shows them.
inline TOutlineResult RunOutline(TableStub& table, TOutlineCounters& counters) {
  TOutlineResult result = ComputeOutline({table.edit1, table.edit2, table.rows});
  AddOutline(result, counters);
  for (const int32_t row : result.ErrorRows) table.rows[row - 1][4] = SjisFromUtf8("エラー");
  return result;
}

// The solution of the values as the window computes it, the store filled.
inline TOutlineSolution Solve(const std::string& distance, const std::string& angle,
                              const std::vector<TTableRow>& rows) {
  TableStub table(distance, angle, rows);
  TOutlineCounters counters;
  return RunOutline(table, counters).Solution;
}
