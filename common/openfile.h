// Opening a file by its path in the C library's way. On Windows the path
// goes through the wide-character API, so a program folder with a Japanese
// name opens whatever the process's ANSI code page is.
#pragma once

#include <cstdio>
#include <filesystem>

// fopen for a path; nullptr when the file cannot be opened.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);
