// The Esc-key state on Windows, for the core's Esc seam.
#pragma once

// Installs GetAsyncKeyState(VK_ESCAPE), asked at most every few
// milliseconds, as the query behind EscapePressed.
void InstallWin32EscapeQuery();
