// The Windows API for the front end. A few of its macros carry the names of
// the core's own functions (RGB, TextOut); they go, so the Canvas seam keeps
// its names and the API is reached by its wide-character functions directly.
#pragma once

#include <windows.h>

#undef RGB
#undef TextOut
