// The table's cells, kept as the table file keeps them, with their warnings
// and marks.
#include "app/tablecells.h"

#include <algorithm>
#include <array>

#include "common/sjis.h"

namespace {

const std::string kNone;

}  // namespace

std::string GridHeader(int32_t col) {
  static const std::array<const char*, kGridColumns> kHeaders = {"点番号",  "相手点1", "距離",
                                                                 "相手点2", "距離",    "向き"};
  if (col < 0 || col >= kGridColumns) return {};
  return Sjis(kHeaders[static_cast<size_t>(col)]);
}

std::string GridRowLabel(int32_t row) {
  return std::to_string(row + 2);
}

TTableCells::TTableCells() : rows_(kTableRows), warnings_(kTableRows) {}

bool TTableCells::Inside(int32_t col, int32_t row) {
  return col >= 1 && col <= 5 && row >= 1 && row <= kTableRows;
}

const std::string& TTableCells::Cell(int32_t col, int32_t row) const {
  if (!Inside(col, row)) return kNone;
  return rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)];
}

void TTableCells::SetCell(int32_t col, int32_t row, const std::string& sjis) {
  if (!Inside(col, row)) return;
  std::string& cell = rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)];
  // An editor closed on the text it opened with leaves the mark standing.
  if (cell == sjis) return;
  cell = sjis;
  marks_.erase({col, row});
}

void TTableCells::SetRows(const std::vector<TTableRow>& rows) {
  const size_t taken = std::min(rows.size(), rows_.size());
  std::copy_n(rows.begin(), taken, rows_.begin());
  std::fill(rows_.begin() + static_cast<std::ptrdiff_t>(taken), rows_.end(), TTableRow{});
  marks_.clear();
}

const std::string& TTableCells::Warning(int32_t col, int32_t row) const {
  if (!Inside(col, row)) return kNone;
  return warnings_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)];
}

void TTableCells::SetWarning(int32_t col, int32_t row, const std::string& sjis) {
  if (!Inside(col, row)) return;
  warnings_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)] = sjis;
}

void TTableCells::ClearWarnings() {
  std::fill(warnings_.begin(), warnings_.end(), TTableRow{});
}

const std::string& TTableCells::Shown(int32_t col, int32_t row) const {
  const auto mark = marks_.find({col, row});
  return mark != marks_.end() ? mark->second : Cell(col, row);
}

void TTableCells::SetMark(int32_t col, int32_t row, const std::string& sjis) {
  if (Inside(col, row)) marks_[{col, row}] = sjis;
}

void TTableCells::ClearMarks() {
  marks_.clear();
}
