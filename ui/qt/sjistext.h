// The core holds its texts as Shift-JIS bytes; the widgets show QStrings.
// This is the one turn from the one to the other at the window's edge.
#pragma once

#include <QString>
#include <string_view>

QString QStringFromSjis(std::string_view sjis);
