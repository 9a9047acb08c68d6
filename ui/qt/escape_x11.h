// The Esc-key state read from the X11 keyboard at the moment of the call.
#pragma once

// Installs the X11 query as the Esc-key seam's query. Without an X display
// (the offscreen platform, a build machine) it installs nothing, and the key
// reads as released.
void InstallEscapeQuery();
