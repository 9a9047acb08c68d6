// The Windows program's window in a session on a large drawing, the
// counterpart of bench/window_probe.cpp: horune.exe's own window over a
// program folder whose JWC_TEMP.TXT bench/scale.sh generated, driven
// through the system's input queue while its message loop runs, and timed.
//
//   window_probe.exe FOLDER
//
// The environment's HORUNE_PROBE_START, the Unix time in seconds at which
// the script started the process, is the zero of the start-up figures:
// under Wine the process's creation time, as the system keeps it, comes
// after Wine's own start. Without it that creation time is taken.
//
// Prints the figures of support/windowprobe.h, whose drive it runs. The
// notch and Esc go into the input queue (SendInput) from another thread, as
// the window system would deliver them, whatever the window is doing then.
// clang-format off
#include "ui/win32/win32.h"
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "support/windowprobe.h"
#include "ui/win32/escape_win32.h"
#include "ui/win32/mainwindow.h"

namespace {

using Clock = WindowProbe::Clock;

// The probe's own message: the loop has handled the message before it.
constexpr UINT kTick = WM_APP + 0x3f0;

double SecondsOf(const FILETIME& f) {
  return static_cast<double>((static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime) *
         1e-7;
}

// How long the process had run when main began.
double SecondsBeforeMain() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  // Unix time begins 11 644 473 600 s after the system time's 1601.
  constexpr double kUnixEpoch = 11644473600.0;
  if (const char* start = std::getenv("HORUNE_PROBE_START")) {
    return SecondsOf(now) - kUnixEpoch - std::strtod(start, nullptr);
  }
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  return SecondsOf(now) - SecondsOf(created);
}

void SendKey(WORD key, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(in));
}

// Watches the window from its message loop: it sees every message the loop
// takes, and after each one that may end a redraw or begin one (a slice, a
// paint, input, a timer) it posts itself a tick, so it looks at the window
// again once that message is handled. The gaps between messages are the
// times the window did not answer.
class Probe : public WindowProbe {
 public:
  Probe(MainWindow& window, double beforeMain, Clock::time_point mainAt)
      : WindowProbe(window.Form(), beforeMain, mainAt), window_(window) {
    window.MessageTaken = [this](const MSG& msg) { Took(msg); };
    // The first look, once the window is shown: a small drawing is drawn
    // whole in the show's paint.
    PostThreadMessageW(thread_, kTick, 0, 0);
  }
  ~Probe() override { window_.MessageTaken = nullptr; }

 protected:
  double CpuSeconds() const override {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return SecondsOf(kernel) + SecondsOf(user);
  }

  Size PreviewSize() const override {
    return {window_.PaintBoxBounds().Width, window_.PaintBoxBounds().Height};
  }

  // The mouse over the middle of the preview, the window in front, as a
  // user who turns the wheel there has it.
  void FirstPicture() override {
    HWND form = FindWindowW(L"HoruneForm", nullptr);
    HWND preview = FindWindowExW(form, nullptr, L"HorunePreview", nullptr);
    RECT r;
    GetWindowRect(preview, &r);
    SetForegroundWindow(form);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  std::function<void()> WheelNotch() override {
    return [] {
      INPUT in{};
      in.type = INPUT_MOUSE;
      in.mi.dwFlags = MOUSEEVENTF_WHEEL;
      in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
      SendInput(1, &in, sizeof(in));
    };
  }

  std::function<void()> EscPress() override {
    return [] { SendKey(VK_ESCAPE, false); };
  }

  // Esc held is seen by the redraw's own poll, before its key message
  // comes.
  bool EscSeenWhenSent() const override { return true; }
  void EscAnswered() override { SendKey(VK_ESCAPE, true); }

  double PeakMegabytes() const override {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
  }

  void Quit() override { PostQuitMessage(0); }

 private:
  void Took(const MSG& msg) {
    const Clock::time_point now = Clock::now();
    // The loop's first message comes once the window is shown.
    if (!shown_) {
      shown_ = true;
      WindowMade(now);
    }
    Turned(now, MainWindow::CarriesRedrawSlice(msg));
    if (msg.message == WM_MOUSEWHEEL || msg.message == WM_KEYDOWN) Delivered(now);
    if (msg.hwnd == nullptr && msg.message == kTick) {
      // A step that ends looks again at once for the next.
      if (Look(now)) PostThreadMessageW(thread_, kTick, 0, 0);
    } else if (MainWindow::CarriesRedrawSlice(msg) || msg.message == WM_PAINT ||
               msg.message == WM_TIMER || msg.message == WM_MOUSEWHEEL ||
               msg.message == WM_KEYDOWN) {
      PostThreadMessageW(thread_, kTick, 0, 0);
    }
  }

  MainWindow& window_;
  DWORD thread_ = GetCurrentThreadId();
  bool shown_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Clock::time_point mainAt = Clock::now();
  const double beforeMain = SecondsBeforeMain();
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_probe.exe FOLDER\n");
    return 2;
  }
  InstallWin32EscapeQuery();
  MainWindow window(GetModuleHandleW(nullptr), std::filesystem::path(argv[1]) / L"horune.exe");
  Probe probe(window, beforeMain, mainAt);
  window.Run(SW_SHOWNORMAL);
  return 0;
}
