// The table files read whole, and written beside the old file and renamed
// over it only when complete.
#include "app/tablefileio.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "common/sjis.h"

namespace fs = std::filesystem;

std::optional<TTableFile> ReadTableFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseTableFile(bytes);
}

bool WriteTableFile(const fs::path& path, const TTableFile& table) {
  const std::string bytes = FormatTableFile(table);
  fs::path temp = path;
  temp += ".new";
  bool written = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    // The explicit flush and the check after close catch a full disk, which
    // would otherwise rename a cut file over the good one.
    written =
        out && out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush();
    out.close();
    written = written && !out.fail();
  }
  std::error_code ec;
  if (written) fs::rename(temp, path, ec);
  if (!written || ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

std::string PathToSjis(const fs::path& path) {
  const std::u8string u8 = path.u8string();
  const std::string utf8(u8.begin(), u8.end());
  return SjisCanEncode(utf8) ? SjisFromUtf8(utf8) : std::string();
}

fs::path PathFromSjis(const std::string& sjis) {
  const std::string utf8 = Utf8FromSjis(sjis);
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}
