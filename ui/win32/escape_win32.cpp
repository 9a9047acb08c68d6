// The state of the Esc key at the moment of the call, not a queued press:
// long work polls it between steps and the message queue is not pumped.
#include "ui/win32/escape_win32.h"

#include <windows.h>

#include "common/escape.h"

void InstallWin32EscapeQuery() {
  // The high bit is "down now"; the low bit (pressed since the last call)
  // would report a press the user made before the work began.
  SetEscapeQuery([] { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; });
}
