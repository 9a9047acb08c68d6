// A window of a class not the program's own (a system control), or made
// before its owner could hear of it, given a window procedure of the
// program's: each message goes to a handler of the object that owns the
// window, which passes what it leaves to the window's own procedure. The
// handler and that procedure are kept with the window until it is
// destroyed, so no control repeats the lookup of its owner.
#pragma once

#include <functional>

#include "ui/win32/win32.h"

using WindowHandler = std::function<LRESULT(HWND window, UINT msg, WPARAM wp, LPARAM lp)>;

// From now on the window's messages go to handle.
void Subclass(HWND window, WindowHandler handle);
// They go to the window's own procedure again; a handler under way ends
// as it began.
void Unsubclass(HWND window);
// The window's own procedure, and a message passed on to it.
WNDPROC BaseProc(HWND window);
LRESULT CallBaseProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
