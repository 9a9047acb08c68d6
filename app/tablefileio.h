// The Shift-JIS of a path kept in a settings or table file, and back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "exchange/tablefile.h"

// A path to keep in a table file, which holds Shift-JIS; a path that code
// page cannot hold becomes empty rather than written wrong.
std::string PathToSjis(const std::filesystem::path& path);
// The path a table file keeps.
std::filesystem::path PathFromSjis(const std::string& sjis);
