// The state of the Esc key at the moment of the call, not a queued press:
// long work polls it between steps and the message queue is not pumped.
#include "ui/win32/escape_win32.h"

#include <windows.h>

#include <atomic>
#include <chrono>

#include "common/escape.h"

namespace {

using Clock = std::chrono::steady_clock;

// The renderer asks after every tenth record it draws; under Wine each
// GetAsyncKeyState also looks for the X server's events, a system call or
// more. A state younger than this is answered again: a person holds Esc far
// longer.
constexpr Clock::duration kFreshFor = std::chrono::milliseconds(5);

// A layer's thread may ask too.
std::atomic<bool> held{false};
std::atomic<Clock::rep> askedAt{0};

bool EscapeHeld() {
  const Clock::rep now = Clock::now().time_since_epoch().count();
  if (now - askedAt.load(std::memory_order_relaxed) >= kFreshFor.count()) {
    // The high bit is "down now"; the low bit (pressed since the last call)
    // would report a press the user made before the work began.
    held = (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
    askedAt.store(now, std::memory_order_relaxed);
  }
  return held;
}

}  // namespace

void InstallWin32EscapeQuery() {
  askedAt = Clock::now().time_since_epoch().count() - kFreshFor.count();
  SetEscapeQuery(EscapeHeld);
}
