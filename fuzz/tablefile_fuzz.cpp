// Settings and table files come from disk, written by anyone. Any bytes must
// parse without harm, and what the tool writes back must read as the same
// table: bounds, texts, the leading run of rows and the block after them,
// and the area settings read from the block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/tablefile.h"
#include "site/area.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TTableFile t = ParseTableFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (t.WinWidth < kMinWinWidth || t.WinHeight < kMinWinHeight) __builtin_trap();
  if (t.Rows.size() > static_cast<size_t>(kTableRows)) __builtin_trap();
  for (const TTableOption& o : t.Options) {
    if (o.Name.empty() || o.Name.find('=') != std::string::npos) __builtin_trap();
  }

  const TTableFile back = ParseTableFile(FormatTableFile(t));
  const size_t n = static_cast<size_t>(LeadingRowCount(t.Rows));
  if (back.WinLeft != t.WinLeft || back.WinTop != t.WinTop || back.WinWidth != t.WinWidth ||
      back.WinHeight != t.WinHeight || back.LastTableFile != t.LastTableFile ||
      back.Edit1 != t.Edit1 || back.Edit2 != t.Edit2 || back.Rows.size() != n ||
      !std::equal(back.Rows.begin(), back.Rows.end(), t.Rows.begin()) ||
      back.Options != t.Options) {
    __builtin_trap();
  }
  // The area settings in the block are written back as they were read.
  const TAreaSettings area = AreaSettingsFromOptions(t.Options);
  TTableOptions written;
  AreaSettingsToOptions(area, written);
  if (!(AreaSettingsFromOptions(written) == area)) __builtin_trap();
  return 0;
}
