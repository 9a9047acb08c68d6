// The settings and table files on disk: their bytes read and written through
// Qt's file classes, their format left to the exchange layer, and the
// Shift-JIS of a kept path.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "exchange/tablefile.h"

// The file parsed; nothing when it is missing or cannot be opened. What a
// failed read delivered counts, like a file that ends early.
std::optional<TTableFile> ReadTableFile(const QString& path);

// Writes the file whole or not at all: an old file survives a failed write.
bool WriteTableFile(const QString& path, const TTableFile& table);

// A path to keep in a table file, which holds Shift-JIS; a path that code
// page cannot hold becomes empty rather than written wrong.
std::string PathToSjis(const QString& path);
