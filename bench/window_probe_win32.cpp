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
// Prints the figures of the Linux probe, one a line ("name value").
// The notch and Esc go into the input queue (SendInput) from another
// thread, as the window system would deliver them, whatever the window is
// doing then.
// clang-format off
#include "ui/win32/win32.h"
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/tform1.h"
#include "ui/win32/escape_win32.h"
#include "ui/win32/mainwindow.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long into a redraw the notch and the key come.
constexpr auto kSendAfter = std::chrono::milliseconds(150);

// The probe's own message: the loop has handled the message before it.
constexpr UINT kTick = WM_APP + 0x3f0;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

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

// The CPU time the process has used, all its threads.
double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  return SecondsOf(kernel) + SecondsOf(user);
}

void Print(const char* name, double value) {
  std::printf("%s %.4f\n", name, value);
  std::fflush(stdout);
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
// times the window did not answer. The steps of the drive follow one
// another there.
class Probe {
 public:
  Probe(MainWindow& window, double beforeMain, Clock::time_point mainAt)
      : window_(window), form_(window.Form()), beforeMain_(beforeMain), mainAt_(mainAt) {
    window.MessageTaken = [this](const MSG& msg) { Took(msg); };
    // The first look, once the window is shown: a small drawing is drawn
    // whole in the show's paint.
    PostThreadMessageW(thread_, kTick, 0, 0);
  }
  ~Probe() {
    window_.MessageTaken = nullptr;
    if (sender_.joinable()) sender_.join();
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

 private:
  enum class Step { FirstPicture, Notch, NotchPicture, Esc, Done };

  bool Drawn() const { return form_.Preview.ViewBitmap && !form_.Preview.RedrawPending(); }

  void Took(const MSG& msg) {
    const Clock::time_point now = Clock::now();
    // The loop's first message comes once the window is shown.
    if (lastTaken_ == Clock::time_point{}) {
      Print("main_begins", beforeMain_);
      Print("window_made", beforeMain_ + Seconds(now - mainAt_));
    }
    if (form_.Preview.RedrawPending() && lastTaken_ != Clock::time_point{}) {
      longestBlock_ = std::max(longestBlock_, now - lastTaken_);
      if (MainWindow::CarriesRedrawSlice(msg)) ++slices_;
    }
    lastTaken_ = now;
    if ((msg.message == WM_MOUSEWHEEL || msg.message == WM_KEYDOWN) &&
        deliveredAt_ == Clock::time_point{}) {
      deliveredAt_ = now;
    }
    if (msg.hwnd == nullptr && msg.message == kTick) {
      Tick(now);
    } else if (MainWindow::CarriesRedrawSlice(msg) || msg.message == WM_PAINT ||
               msg.message == WM_TIMER || msg.message == WM_MOUSEWHEEL ||
               msg.message == WM_KEYDOWN) {
      PostThreadMessageW(thread_, kTick, 0, 0);
    }
  }

  // One step's look; a step that ends looks again at once for the next.
  void Tick(Clock::time_point now) {
    const Step was = step_;
    Look(now);
    if (step_ != was && step_ != Step::Done) PostThreadMessageW(thread_, kTick, 0, 0);
  }

  void Look(Clock::time_point now) {
    switch (step_) {
      case Step::FirstPicture:
        if (!Drawn()) return;
        Print("first_picture", beforeMain_ + Seconds(now - mainAt_));
        Print("first_picture_cpu", CpuSeconds());
        Print("longest_block", Seconds(longestBlock_));
        Print("first_slices", slices_ + 1);
        Print("first_redraws", form_.Preview.RedrawsBegun);
        Print("preview_width", window_.PaintBoxBounds().Width);
        Print("preview_height", window_.PaintBoxBounds().Height);
        PlaceMouse();
        StartFittedRedraw();
        SendLater([] {
          INPUT in{};
          in.type = INPUT_MOUSE;
          in.mi.dwFlags = MOUSEEVENTF_WHEEL;
          in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
          SendInput(1, &in, sizeof(in));
        });
        step_ = Step::Notch;
        return;
      case Step::Notch:
        if (deliveredAt_ == Clock::time_point{}) return;
        Print("wheel_answered", Seconds(deliveredAt_ - sentAt_.load()));
        step_ = Step::NotchPicture;
        return;
      case Step::NotchPicture:
        if (!Drawn()) return;
        Print("notch_fitted", Seconds(now - deliveredAt_));
        StartFittedRedraw();
        SendLater([] { SendKey(VK_ESCAPE, false); });
        step_ = Step::Esc;
        return;
      case Step::Esc:
        // Esc held is seen by the redraw's own poll, before its key
        // message comes.
        if (sentAt_.load() == Clock::time_point{} || form_.Preview.RedrawPending()) return;
        Print("esc_answered", Seconds(now - sentAt_.load()));
        SendKey(VK_ESCAPE, true);
        Finish();
        return;
      case Step::Done:
        return;
    }
  }

  // The mouse over the middle of the preview, the window in front, as a
  // user who turns the wheel there has it.
  static void PlaceMouse() {
    HWND form = FindWindowW(L"HoruneForm", nullptr);
    HWND preview = FindWindowExW(form, nullptr, L"HorunePreview", nullptr);
    RECT r;
    GetWindowRect(preview, &r);
    SetForegroundWindow(form);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  // A fitted redraw of the whole drawing, as Home starts it.
  void StartFittedRedraw() {
    sentAt_ = Clock::time_point{};
    form_.Preview.FormKeyDown(NavKey::Home, false);
    deliveredAt_ = {};
  }

  // Runs send on another thread once kSendAfter has passed.
  void SendLater(std::function<void()> send) {
    if (sender_.joinable()) sender_.join();
    sender_ = std::thread([this, send = std::move(send)] {
      std::this_thread::sleep_for(kSendAfter);
      sentAt_ = Clock::now();
      send();
    });
  }

  void Finish() {
    step_ = Step::Done;
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    Print("peak_mb", static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    // Out of the loop without closing the form, which would answer the host.
    PostQuitMessage(0);
  }

  MainWindow& window_;
  TForm1& form_;
  double beforeMain_;
  Clock::time_point mainAt_;
  DWORD thread_ = GetCurrentThreadId();
  Step step_ = Step::FirstPicture;
  Clock::time_point lastTaken_;
  Clock::duration longestBlock_{};
  int slices_ = 0;
  std::thread sender_;
  std::atomic<Clock::time_point> sentAt_{};
  Clock::time_point deliveredAt_;
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
