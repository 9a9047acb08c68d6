// Splitting and joining spreadsheet blocks. Tab, CR and LF are single bytes
// that never occur inside a Shift-JIS double-byte character, so splitting
// on them is safe.
#include "app/cellblock.h"

#include <algorithm>

CellBlock ParseCellBlock(const std::string& sjis) {
  std::string text = sjis;
  if (text.ends_with("\r\n")) {
    text.resize(text.size() - 2);
  } else if (text.ends_with('\n') || text.ends_with('\r')) {
    text.pop_back();
  }
  CellBlock block(1, std::vector<std::string>(1));
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      block.emplace_back(1);
    } else if (c == '\t') {
      block.back().emplace_back();
    } else {
      block.back().back() += c;
    }
  }
  return block;
}

bool PasteCellBlock(TTableCells& cells, TCellPos at, const CellBlock& block) {
  size_t cols = 0;
  for (const auto& row : block) cols = std::max(cols, row.size());
  const auto lastCol = static_cast<int64_t>(at.Col) + static_cast<int64_t>(cols) - 1;
  const auto lastRow = static_cast<int64_t>(at.Row) + static_cast<int64_t>(block.size()) - 1;
  if (at.Col < 1 || at.Row < 1 || lastCol > 5 || lastRow > kTableRows) return false;
  for (size_t r = 0; r < block.size(); ++r) {
    for (size_t c = 0; c < block[r].size(); ++c) {
      cells.SetCell(at.Col + static_cast<int32_t>(c), at.Row + static_cast<int32_t>(r),
                    block[r][c]);
    }
  }
  return true;
}

bool ClearCellBlock(TTableCells& cells, const TCellRange& range) {
  const int32_t c1 = std::max(std::min(range.From.Col, range.To.Col), 1);
  const int32_t c2 = std::min(std::max(range.From.Col, range.To.Col), 5);
  const int32_t r1 = std::max(std::min(range.From.Row, range.To.Row), 1);
  const int32_t r2 = std::min(std::max(range.From.Row, range.To.Row), kTableRows);
  bool changed = false;
  for (int32_t r = r1; r <= r2; ++r) {
    for (int32_t c = c1; c <= c2; ++c) {
      if (cells.Cell(c, r).empty()) continue;
      cells.SetCell(c, r, "");
      changed = true;
    }
  }
  return changed;
}

std::string FormatCellBlock(const TTableCells& cells, const TCellRange& range) {
  const int32_t c1 = std::min(range.From.Col, range.To.Col);
  const int32_t c2 = std::max(range.From.Col, range.To.Col);
  const int32_t r1 = std::min(range.From.Row, range.To.Row);
  const int32_t r2 = std::max(range.From.Row, range.To.Row);
  std::string out;
  for (int32_t r = r1; r <= r2; ++r) {
    for (int32_t c = c1; c <= c2; ++c) {
      if (c > c1) out += '\t';
      out += cells.Cell(c, r);
    }
    out += "\r\n";
  }
  return out;
}
