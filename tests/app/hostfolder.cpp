// The temporary program folder and its Shift-JIS CR LF files.
#include "hostfolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "common/sjis.h"

namespace fs = std::filesystem;

HostFolder::HostFolder() {
  std::string pattern = (fs::temp_directory_path() / "horune-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  dir_ = pattern;
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
