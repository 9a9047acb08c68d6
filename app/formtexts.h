// The window's fixed texts that every front end shows the same way: the help
// beside the table, the info strip with its link to the guide, and the table
// files' dialog filter. UTF-8, as written in the source; a front end
// converts them for its controls.
#pragma once

#include <span>

// Memo1's help text, one entry a line.
std::span<const char* const> HelpLines();

// The guide shipped beside the program (in the Windows package, and copied
// beside the Linux build): installing, starting and the controls.
const char* GuideFileName();
// The info strip's words before the link to the guide, and the link's text.
const char* InfoStripText();
const char* GuideLinkText();

// The table files' dialog filter: what it shows, and the pattern.
const char* TableFileFilterName();
const char* TableFilePattern();
