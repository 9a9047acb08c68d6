// The window's fixed texts that every front end shows the same way: the help
// beside the table and the maker's page in the info strip. UTF-8, as written
// in the source; a front end converts them for its controls.
#pragma once

#include <span>

// Memo1's help text, one entry a line.
std::span<const char* const> HelpLines();

// The maker's information page.
const char* MakerPageAddress();

// The info strip's words before the link to the maker's page.
const char* InfoStripText();
