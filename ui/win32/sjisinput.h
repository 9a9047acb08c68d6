// What the window's edits and the table's cell editor make of text as it is
// typed or pasted: full-width digits, point and minus become half-width,
// and text Shift-JIS cannot hold is refused (app/formcontrols.h says why).
#pragma once

#include <string>

#include "ui/win32/win32.h"

// True when the message would put such text into the edit: the caller drops
// it. The user hears the refusal, and the edit keeps its text.
bool SjisInputRefused(HWND edit, UINT msg, WPARAM wp);

// Takes a typed character or a paste that needs half-width numerals: the
// edit (its window procedure base) gets the half-width text instead; true
// when it did, and the caller is done with the message.
bool HalfWidthInput(HWND edit, WNDPROC base, UINT msg, WPARAM wp, LPARAM lp);

// The text with its numerals half-width (HalfWidthNumerals).
std::wstring HalfWidthText(const std::wstring& text);

// The clipboard's text; empty when it holds none or cannot be opened.
std::wstring ClipboardWide(HWND owner);

// The system's UTF-16 as the core's UTF-8.
std::string Utf8FromWide(const std::wstring& wide);
