// The Esc-key state on Windows, for the core's Esc seam.
#pragma once

// Installs GetAsyncKeyState(VK_ESCAPE) as the query behind EscapePressed.
void InstallWin32EscapeQuery();
