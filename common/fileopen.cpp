// OpenFile: the wide call where paths are UTF-16, fopen elsewhere.
#include "common/fileopen.h"

#include <string>

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  const std::string narrow(mode);
  const std::wstring wide(narrow.begin(), narrow.end());
  return _wfopen(path.c_str(), wide.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}
