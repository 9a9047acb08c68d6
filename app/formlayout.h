// The window's designed layout in pixels, the same for every front end: its
// first place and size, and the fixed sizes of the panels around the preview.
#pragma once

constexpr int kDesignLeft = 192;
constexpr int kDesignTop = 134;
constexpr int kDesignWidth = 660;
constexpr int kDesignHeight = 539;
constexpr int kPanel2Width = 244;     // the right-hand column
constexpr int kPanel3Height = 56;     // point 2's edits and the file buttons
constexpr int kPanel4Height = 115;    // the help text and OK / cancel
constexpr int kLabelA1Height = 24;    // the status line
constexpr int kInfoStripHeight = 65;  // the maker's strip at the bottom
constexpr int kEditHeight = 21;
