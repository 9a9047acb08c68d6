// The settings and table file format: a line reader that tolerates short
// files and any line end, and a writer that keeps one value a line.
#include "exchange/tablefile.h"

#include <algorithm>

#include "common/filereplace.h"
#include "common/numbers.h"
#include "common/sjischars.h"

namespace {

// Hands out one line at a time; past the end every line is empty, as a
// short file must read.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : rest_(bytes) {}

  std::string_view Next() {
    const size_t end = rest_.find_first_of("\r\n");
    const std::string_view line = rest_.substr(0, end);
    if (end == std::string_view::npos) {
      rest_ = {};
      return line;
    }
    const size_t skip = rest_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    rest_.remove_prefix(end + skip);
    return line;
  }

  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// A value is one line: anything from a line break on would be read back as
// the next value and shift every line after it.
void AppendLine(std::string& out, std::string_view value) {
  out.append(value.substr(0, value.find_first_of("\r\n")));
  out.append("\r\n");
}

// Names and values are single lines, and a name holds no "=", so the block
// reads back as it was written.
bool WritableOption(const TTableOption& o) {
  return !o.Name.empty() && o.Name.find_first_of("=\r\n") == std::string::npos &&
         o.Value.find_first_of("\r\n") == std::string::npos;
}

void ReadOptions(LineReader& in, TTableOptions& options) {
  while (!in.AtEnd()) {
    const std::string_view line = in.Next();
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) continue;
    options.push_back({std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))});
  }
}

}  // namespace

std::optional<std::string> OptionValue(const TTableOptions& options, std::string_view name) {
  for (const TTableOption& o : options) {
    if (o.Name == name) return o.Value;
  }
  return std::nullopt;
}

void SetOption(TTableOptions& options, std::string_view name, const std::string& value) {
  const auto it = std::find_if(options.begin(), options.end(),
                               [name](const TTableOption& o) { return o.Name == name; });
  if (value.empty()) {
    if (it != options.end()) options.erase(it);
  } else if (it != options.end()) {
    it->Value = value;
  } else {
    options.push_back({std::string(name), value});
  }
}

bool IsBlankRow(const TTableRow& row) {
  std::string joined;
  for (const std::string& cell : row) joined += cell;
  return StripBlanks(joined).empty();
}

int LeadingRowCount(const std::vector<TTableRow>& rows) {
  const int limit = std::min(static_cast<int>(rows.size()), kTableRows);
  int n = 0;
  while (n < limit && !IsBlankRow(rows[n])) ++n;
  return n;
}

TTableFile ParseTableFile(std::string_view bytes) {
  LineReader in(bytes);
  TTableFile t;
  t.WinLeft = TextToInt(in.Next());
  t.WinTop = TextToInt(in.Next());
  t.WinWidth = HeldWinWidth(TextToInt(in.Next()));
  t.WinHeight = HeldWinHeight(TextToInt(in.Next()));
  t.LastTableFile = in.Next();
  t.Edit1 = in.Next();
  t.Edit2 = in.Next();
  const int32_t fileRows = std::max(TextToInt(in.Next()), 0);
  t.Rows.resize(std::min(fileRows, kTableRows));
  for (TTableRow& row : t.Rows) {
    // Cells past the end stay empty; no need to walk the rest of a huge N.
    if (in.AtEnd()) break;
    for (std::string& cell : row) cell = in.Next();
  }
  // Rows beyond the table are passed over to reach the block after them.
  for (int64_t skip = (int64_t{fileRows} - kTableRows) * 5; skip > 0 && !in.AtEnd(); --skip) {
    in.Next();
  }
  if (!in.AtEnd() && in.Next() == kOptionsMark) ReadOptions(in, t.Options);
  return t;
}

std::string FormatTableFile(const TTableFile& table) {
  std::string out;
  for (int32_t v : {table.WinLeft, table.WinTop, table.WinWidth, table.WinHeight}) {
    AppendLine(out, std::to_string(v));
  }
  AppendLine(out, table.LastTableFile);
  AppendLine(out, table.Edit1);
  AppendLine(out, table.Edit2);
  const int n = LeadingRowCount(table.Rows);
  AppendLine(out, std::to_string(n));
  for (int r = 0; r < n; ++r) {
    for (const std::string& cell : table.Rows[r]) AppendLine(out, cell);
  }
  bool marked = false;
  for (const TTableOption& o : table.Options) {
    if (!WritableOption(o)) continue;
    if (!marked) AppendLine(out, kOptionsMark);
    marked = true;
    AppendLine(out, o.Name + "=" + o.Value);
  }
  return out;
}

std::optional<TTableFile> ReadTableFile(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return ParseTableFile(*bytes);
}

bool WriteTableFile(const std::filesystem::path& path, const TTableFile& table) {
  return ReplaceFileBytes(path, FormatTableFile(table));
}
