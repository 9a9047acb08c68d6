// What the window's edits and the table's cell editor refuse as it is
// typed or pasted: text Shift-JIS cannot hold (app/formcontrols.h says why).
#pragma once

#include <string>

#include "ui/win32/win32.h"

// True when the message would put such text into the edit: the caller drops
// it. The user hears the refusal, and the edit keeps its text.
bool SjisInputRefused(HWND edit, UINT msg, WPARAM wp);

// The clipboard's text; empty when it holds none or cannot be opened.
std::wstring ClipboardWide(HWND owner);
