// Opening a file by its std::filesystem::path on every platform. The Windows
// front end hands in UTF-16 paths, which the narrow fopen cannot take; there
// the wide calls open them, elsewhere the path's bytes go to the C library as
// they are.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

// The file opened with an fopen mode ("rb", "wb"), or null.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// A new, empty file opened for binary writing, made only if nothing stands
// at path yet (O_EXCL, CREATE_NEW), so no other writer shares it; null
// otherwise, with errno EEXIST when the name was taken.
std::FILE* CreateNewFile(const std::filesystem::path& path);

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A file closed when it goes out of scope, for readers that need no close
// result.
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;
