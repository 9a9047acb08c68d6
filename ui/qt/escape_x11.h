// The Esc-key state of the Qt front end: read from the X11 keyboard at the
// moment of the call (escape_x11.cpp) or, in a build without X11, followed
// from the toolkit's own key events (escape_keys.cpp).
#pragma once

// Installs the query as the Esc-key seam's query. Without an X display
// (the offscreen platform, a build machine) the X11 one installs nothing,
// and the key reads as released.
void InstallEscapeQuery();
