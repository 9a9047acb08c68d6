// The window's fixed texts that every front end shows the same way: the help
// beside the table, the info strip with its link to the guide, and the file
// dialogs' filters. UTF-8, as written in the source; a front end
// converts them for its controls.
#pragma once

#include <span>

#include "app/frontend.h"

// Memo1's help text, one entry a line.
std::span<const char* const> HelpLines();

// The guide shipped beside the program (in the Windows package, and copied
// beside the Linux build): installing, starting and the controls.
const char* GuideFileName();
// The info strip's words before the link to the guide, and the link's text.
const char* InfoStripText();
const char* GuideLinkText();

// A file dialog's filter: what it shows, the pattern and the extension
// without its dot.
struct TFileFilter {
  const char* Name;
  const char* Pattern;
  const char* Extension;
};
TFileFilter FileFilter(TFileKind kind);
