// OpenFile and CreateNewFile: the wide calls where paths are UTF-16, the
// POSIX ones elsewhere.
#include "common/fileopen.h"

#include <fcntl.h>

#include <string>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  const std::string narrow(mode);
  const std::wstring wide(narrow.begin(), narrow.end());
  return _wfopen(path.c_str(), wide.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::FILE* CreateNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  // _O_CREAT with _O_EXCL is the C library's CREATE_NEW.
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                        _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (f == nullptr) _close(fd);
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, "wb");
  if (f == nullptr) close(fd);
#endif
  return f;
}
