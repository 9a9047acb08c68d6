// The settings file beside the program and the ".dlist" table files share
// one format: Shift-JIS text, one value per line, CR LF line ends. Lines 1
// to 4 are the window bounds, line 5 the last table file, lines 6 and 7 the
// two point-2 edits, line 8 the row count N and then five lines per row.
// After the rows may follow a block the format's first readers never reach:
// a line "#horune", then one "name=value" line per setting of this tool.
// This unit turns bytes into values and values into bytes, and reads and
// writes the files.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Point numbers run from 1 to this; the table has a row for each point from
// 3 on (row r describes point r + 2), the row labels excepted.
inline constexpr int kMaxPointNumber = 10000;
inline constexpr int kTableRows = kMaxPointNumber - 2;

// The window never gets smaller than this.
inline constexpr int32_t kMinWinWidth = 475;
inline constexpr int32_t kMinWinHeight = 200;

// A window width or height raised to the minimum, wherever one is read or
// kept.
constexpr int32_t HeldWinWidth(int32_t width) {
  return width < kMinWinWidth ? kMinWinWidth : width;
}
constexpr int32_t HeldWinHeight(int32_t height) {
  return height < kMinWinHeight ? kMinWinHeight : height;
}

// A missing settings file opens the window square at the minimum width.
inline constexpr int32_t kDefaultWinSide = kMinWinWidth;

// Columns 1 to 5 of one table row: partner 1, distance 1, partner 2,
// distance 2, side. Shift-JIS, exactly as typed.
using TTableRow = std::array<std::string, 5>;

// One "name=value" line of the block after the rows.
struct TTableOption {
  std::string Name;
  std::string Value;
  bool operator==(const TTableOption&) const = default;
};
using TTableOptions = std::vector<TTableOption>;

// The line that opens the block after the rows.
inline constexpr std::string_view kOptionsMark = "#horune";

// The value of the option called name; nothing when there is none.
std::optional<std::string> OptionValue(const TTableOptions& options, std::string_view name);
// Sets the option, in its place when it is there, else at the end; an
// empty value removes it.
void SetOption(TTableOptions& options, std::string_view name, const std::string& value);

struct TTableFile {
  // The values a missing settings file leaves.
  int32_t WinLeft = 0;
  int32_t WinTop = 0;
  int32_t WinWidth = kDefaultWinSide;
  int32_t WinHeight = kDefaultWinSide;
  std::string LastTableFile;
  std::string Edit1;
  std::string Edit2;
  std::vector<TTableRow> Rows;
  // The block after the rows, in file order; names this version does not
  // know are kept to be written back.
  TTableOptions Options;
};

// True when the row's five cells, joined, hold nothing but blanks.
bool IsBlankRow(const TTableRow& row);

// Number of rows before the first blank one, at most kTableRows.
int LeadingRowCount(const std::vector<TTableRow>& rows);

// Reads a file's bytes. Lines may end in CR LF, LF or CR; lines past the end
// read as empty. Width and height are raised to the window's minimum. Rows
// holds min(N, kTableRows) rows; rows beyond the table are dropped. The
// block after the rows is read when line 9 + 5N opens it; its lines without
// "=" or with an empty name are dropped.
TTableFile ParseTableFile(std::string_view bytes);

// The bytes of a file: the fields as they stand and only the leading run of
// non-blank rows, every line ended by CR LF. A value holding a line break is
// written up to it, so the lines keep their places. The block follows the
// rows only when there are options, so a table without any is written as it
// always was.
std::string FormatTableFile(const TTableFile& table);

// The file parsed; nothing when it is missing, not a file or cannot be
// opened. A read that fails midway counts as a file that ends there.
std::optional<TTableFile> ReadTableFile(const std::filesystem::path& path);

// Writes the file whole or not at all: after a failed save (a full disk, a
// read-only or vanished folder) the previous file is still there, unchanged.
bool WriteTableFile(const std::filesystem::path& path, const TTableFile& table);
