// The reasons a typed number reads as 0, and the marks on the table.
#include "app/cellwarnings.h"

#include "common/numbers.h"
#include "common/sjis.h"
#include "common/sjischars.h"

namespace {

bool IsIntegerColumn(int32_t col) {
  return col == 1 || col == 3 || col == 5;
}

// Full-width digits are 0x82 0x4F .. 0x82 0x58; the pair is walked as one
// character so a trail byte is never taken for a lead byte.
bool HasFullWidthDigit(const std::string& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (!LeadByte(b) || i + 1 >= t.size()) continue;
    const auto trail = static_cast<unsigned char>(t[i + 1]);
    if (b == 0x82 && trail >= 0x4F && trail <= 0x58) return true;
    ++i;
  }
  return false;
}

bool HasComma(const std::string& t) {
  return t.find(',') != std::string::npos || t.find(Sjis("，")) != std::string::npos;
}

bool IsPlainZero(const std::string& stripped) {
  return stripped.find_first_not_of("0+-.") == std::string::npos &&
         stripped.find('0') != std::string::npos;
}

}  // namespace

std::string CellWarningReason(int32_t col, const std::string& sjis) {
  const bool integer = IsIntegerColumn(col);
  const bool readsZero = integer ? TextToInt(sjis) == 0 : TextToReal(sjis) == 0.0;
  const std::string stripped = StripBlanks(sjis);
  if (!readsZero || stripped.empty() || IsPlainZero(stripped)) return {};
  // The computation's own mark of a row whose circles do not meet.
  if (col == 5 && sjis == Sjis("エラー")) return {};
  if (HasFullWidthDigit(sjis)) return Sjis("全角の数字は 0 と読まれます");
  if (HasComma(sjis)) return Sjis("小数点は「.」です（0 と読まれます）");
  if (stripped != sjis) return Sjis("空白を含むため 0 と読まれます");
  if (integer && sjis.find('.') != std::string::npos) {
    return Sjis("整数で入力してください（0 と読まれます）");
  }
  return Sjis("数値として読めないため 0 と読まれます");
}

std::optional<TCellWarning> MarkCellWarnings(TTableCells& cells) {
  std::optional<TCellWarning> first;
  for (int32_t row = 1; row <= kTableRows; ++row) {
    const TTableRow& r = cells.Rows()[static_cast<size_t>(row - 1)];
    if (IsBlankRow(r)) break;
    for (int32_t col = 1; col <= 5; ++col) {
      const std::string reason = CellWarningReason(col, cells.Cell(col, row));
      if (reason.empty()) continue;
      cells.SetWarning(col, row, reason);
      if (!first) {
        first = TCellWarning{col, row,
                             Sjis("点") + std::to_string(row + 2) + Sjis("の") + GridHeader(col) +
                                 Sjis("：") + reason};
      }
    }
  }
  return first;
}
