// The Shift-JIS of a path kept in a settings or table file.
#pragma once

#include <QString>
#include <string>

// A path to keep in a table file, which holds Shift-JIS; a path that code
// page cannot hold becomes empty rather than written wrong.
std::string PathToSjis(const QString& path);
