// The Windows window's redraw in slices, in its own message loop over a
// drawing of many slices: the first picture takes one redraw, the slices
// follow one another without a timer while nothing else waits, and input
// and paints that come meanwhile are taken between two slices, not after
// the redraw.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/formcontrols.h"
#include "tests/app/hostfolder.h"
#include "ui/win32/mainwindow.h"

namespace {

// The window over a program folder of its own, its loop watched: step runs
// with each message the loop takes.
class WatchedWindow {
 public:
  WatchedWindow() {
    WriteLines(folder_.JwcTempPath(), LongHostFile(2000));
    WriteLines(folder_.SettingsPath(), {"0", "0", "700", "500"});
    window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), folder_.ProgramPath());
    // A slice after every tenth line.
    Form().Preview.RedrawSlice = {};
    window_->MessageTaken = [this](const MSG& msg) {
      if (done_) return;
      done_ = step_(msg);
      if (done_) PostQuitMessage(0);
    };
  }
  ~WatchedWindow() {
    // The window's end posts a quit of its own, which would end the next
    // window's loop at once.
    window_.reset();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  TForm1& Form() { return window_->Form(); }
  bool Drawn() { return Form().Preview.ViewBitmap && !Form().Preview.RedrawPending(); }

  // Runs the loop until step, called with each message taken, says done.
  void Run(std::function<bool(const MSG&)> step) {
    step_ = std::move(step);
    window_->Run(SW_SHOWNORMAL);
  }

 private:
  HostFolder folder_;
  std::unique_ptr<MainWindow> window_;
  std::function<bool(const MSG&)> step_;
  bool done_ = false;
};

bool IsTimer(const MSG& msg) {
  return msg.message == WM_TIMER || msg.message == 0x0118;  // WM_SYSTIMER
}

TEST(RedrawSlices, TheFirstPictureTakesOneRedrawThatWaitsOnlyBehindOtherMessages) {
  WatchedWindow w;
  int byTimer = 0;
  int byMessage = 0;
  int others = 0;
  // Once drawn, the loop goes on past the settling of the start-up's size.
  UINT_PTR settled = 0;
  w.Run([&](const MSG& msg) {
    if (settled != 0 && msg.hwnd == nullptr && msg.message == WM_TIMER) {
      return msg.wParam == settled;
    }
    if (w.Drawn() && settled == 0) settled = SetTimer(nullptr, 0, 2 * kResizeSettleMs, nullptr);
    if (!w.Form().Preview.RedrawPending()) return false;
    if (!MainWindow::CarriesRedrawSlice(msg)) {
      ++others;
    } else if (IsTimer(msg)) {
      ++byTimer;
    } else {
      ++byMessage;
    }
    return false;
  });
  EXPECT_EQ(w.Form().Preview.RedrawsBegun, 1);
  EXPECT_GT(byMessage, 10);
  // A slice waits for a timer only behind a message of another kind, or
  // behind the paints of the show, which the loop does not take: the
  // first slice is asked for in the preview's first paint.
  EXPECT_LE(byTimer, others + 1);
}

// A notch with the mouse over the preview.
void SendWheel(HWND form) {
  RECT r;
  GetWindowRect(FindWindowExW(form, nullptr, L"HorunePreview", nullptr), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  in.mi.mouseData = static_cast<DWORD>(WHEEL_DELTA);
  SendInput(1, &in, sizeof(in));
}

void SendKey(WORD key) {
  INPUT in[2]{};
  for (INPUT& i : in) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

TEST(RedrawSlices, InputAndPaintsComingInARedrawAreTakenBeforeItEnds) {
  const struct {
    const char* name;
    std::function<void(HWND form)> send;
    UINT taken;
  } cases[] = {
      {"a wheel notch", SendWheel, WM_MOUSEWHEEL},
      {"a key", [](HWND) { SendKey(VK_F13); }, WM_KEYDOWN},
      {"a paint of a label",
       [](HWND form) { InvalidateRect(GetWindow(form, GW_CHILD), nullptr, TRUE); }, WM_PAINT},
  };
  for (const auto& c : cases) {
    WatchedWindow w;
    HWND form = FindWindowW(L"HoruneForm", nullptr);
    int slices = 0;
    bool takenInRedraw = false;
    w.Run([&](const MSG& msg) {
      if (MainWindow::CarriesRedrawSlice(msg) && ++slices == 3) {
        SetForegroundWindow(form);
        c.send(form);
      }
      if (slices < 3 || msg.message != c.taken) return w.Drawn() && slices >= 3;
      takenInRedraw = w.Form().Preview.RedrawPending();
      return true;
    });
    EXPECT_EQ(slices, 3) << c.name;
    EXPECT_TRUE(takenInRedraw) << c.name;
  }
}

}  // namespace
