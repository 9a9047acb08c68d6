// The Windows API for the front end. A few of its macros carry the names of
// the core's own functions (RGB, TextOut); they go, so the Canvas seam keeps
// its names and the API is reached by its wide-character functions directly.
#pragma once

#include <windows.h>

#undef RGB
#undef TextOut

// A WM_CONTEXTMENU from the keyboard (Shift+F10, the menu key) has the
// point (-1, -1) in its lParam.
inline bool FromKeyboard(LPARAM at) {
  return static_cast<short>(LOWORD(at)) == -1 && static_cast<short>(HIWORD(at)) == -1;
}
