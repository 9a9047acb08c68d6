// The temporary program folder and its Shift-JIS CR LF files.
#include "hostfolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "common/sjis.h"

namespace fs = std::filesystem;

HostFolder::HostFolder() {
  // A folder of its own on every system: creating fails on a name taken.
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() / ("horune-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      dir_ = candidate;
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

HostFolder::~HostFolder() {
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

fs::path HostFolder::Path(const std::string& utf8Name) const {
  return dir_ / fs::path(std::u8string(utf8Name.begin(), utf8Name.end()));
}

void HostFolder::WriteHostFile(bool drawingSize) const {
  WriteLines(JwcTempPath(), HostFile(drawingSize));
}

void WriteLines(const fs::path& path, const std::vector<std::string>& utf8Lines) {
  std::ofstream out(path, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write a fixture");
  out << SjisLines(utf8Lines);
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SjisLines(const std::vector<std::string>& utf8Lines) {
  std::string out;
  for (const std::string& l : utf8Lines) out += Sjis(l) + "\r\n";
  return out;
}

std::vector<std::string> HostFile(bool drawingSize) {
  std::vector<std::string> lines = {
      "hq", "hk 0", "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100"};
  if (drawingSize) lines.push_back("bz");
  for (const char* l : {"lg1", "ly3", "lc2", "lt1", "lw0", "cn3", "cn\"$ＭＳ ゴシック", "lg0",
                        "ly0", "lc1", " -1000 -500 2000 -500", "ch 0 -800 1 0 \"道路"}) {
    lines.emplace_back(l);
  }
  return lines;
}

std::vector<std::string> LongHostFile(int lines) {
  std::vector<std::string> out = HostFile(false);
  for (int i = 0; i < lines; ++i) {
    // Appended: GCC's -O3 warns falsely of a literal put before a temporary.
    std::string line = " ";
    line += std::to_string(i * 10);
    line += " 0 ";
    line += std::to_string(i * 10);
    line += " 3000";
    out.push_back(line);
  }
  return out;
}

std::vector<TTableRow> SjisRows(const std::vector<TTableRow>& utf8Rows) {
  std::vector<TTableRow> out;
  for (const TTableRow& row : utf8Rows) {
    TTableRow& r = out.emplace_back();
    for (size_t c = 0; c < row.size(); ++c) r[c] = Sjis(row[c]);
  }
  return out;
}
