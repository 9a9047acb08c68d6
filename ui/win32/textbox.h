// A small modal box that asks for a line of text: the prompt, an edit with
// the text selected, OK and Cancel. Its dialog template is made in memory,
// so the program needs no resource for it.
#pragma once

#include <optional>
#include <string>

#include "ui/win32/win32.h"

// The text on OK, or nothing on Cancel; the prompt's lines are apart by
// "\r\n".
std::optional<std::wstring> AskTextBox(HWND owner, const std::wstring& title,
                                       const std::wstring& prompt, const std::wstring& text);
