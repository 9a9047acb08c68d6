// Files that must never be left half written: the settings file, the table
// files and the answer for the host. The new contents go to a temporary file
// beside the target, made anew for each save so that no other save writes
// into it, and take the target's place by a rename only once they are
// complete, so a full disk, a read-only folder, a crash midway or a second
// program saving the same file leaves a whole file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Writes the whole contents to the open file; false when a write failed.
using FileContentsWriter = std::function<bool(std::FILE*)>;

// Whether the new contents must be on the disk before they replace the old:
// a file kept between runs must, an answer read at once need not.
enum class TReplaceSync { Durable, Cached };

// Replaces the file at path by what write puts into it. False, with nothing
// changed on disk and no temporary file left, when the folder cannot take
// the temporary file, a write or the rename fails, or something other than a
// file (a folder, a device) stands at path. A symbolic link keeps pointing at
// the file it names.
bool ReplaceFile(const std::filesystem::path& path, const FileContentsWriter& write,
                 TReplaceSync sync);

// ReplaceFile with the given bytes, durably.
bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes);

// The bytes of a regular file; nothing when it is missing, not a file or
// cannot be opened. A read that fails midway gives the bytes before it, as a
// file that ends there would.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
