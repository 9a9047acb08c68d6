// The paths a settings or table file keeps, in Shift-JIS.
#include "app/tablefileio.h"

#include "common/sjis.h"

namespace fs = std::filesystem;

std::string PathToSjis(const fs::path& path) {
  const std::u8string u8 = path.u8string();
  const std::string utf8(u8.begin(), u8.end());
  return SjisCanEncode(utf8) ? SjisFromUtf8(utf8) : std::string();
}

fs::path PathFromSjis(const std::string& sjis) {
  const std::string utf8 = Utf8FromSjis(sjis);
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}
