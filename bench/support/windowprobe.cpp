// The window probes' drive: its steps, each taken when a look at the window
// finds the one before done.
#include "support/windowprobe.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/tform1.h"

namespace {

// How long into a redraw the notch and the key come.
constexpr auto kSendAfter = std::chrono::milliseconds(150);

double Seconds(WindowProbe::Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void Print(const char* name, double value) {
  std::printf("%s %.4f\n", name, value);
  std::fflush(stdout);
}

}  // namespace

WindowProbe::WindowProbe(TForm1& form, double beforeMain, Clock::time_point mainAt)
    : form_(form), beforeMain_(beforeMain), mainAt_(mainAt) {}

WindowProbe::~WindowProbe() {
  if (sender_.joinable()) sender_.join();
}

void WindowProbe::WindowMade(Clock::time_point now) {
  Print("main_begins", beforeMain_);
  Print("window_made", beforeMain_ + Seconds(now - mainAt_));
}

void WindowProbe::Turned(Clock::time_point now, bool slice) {
  if (form_.Preview.RedrawPending() && lastTurn_ != Clock::time_point{}) {
    longestBlock_ = std::max(longestBlock_, now - lastTurn_);
    if (slice) ++slices_;
  }
  lastTurn_ = now;
}

void WindowProbe::Delivered(Clock::time_point now) {
  if (deliveredAt_ == Clock::time_point{}) deliveredAt_ = now;
}

bool WindowProbe::Drawn() const {
  return form_.Preview.ViewBitmap && !form_.Preview.RedrawPending();
}

bool WindowProbe::Look(Clock::time_point now) {
  switch (step_) {
    case Step::FirstPicture: {
      if (!Drawn()) return false;
      Print("first_picture", beforeMain_ + Seconds(now - mainAt_));
      Print("first_picture_cpu", CpuSeconds());
      Print("longest_block", Seconds(longestBlock_));
      Print("first_slices", slices_ + 1);
      Print("first_redraws", form_.Preview.RedrawsBegun);
      const Size preview = PreviewSize();
      Print("preview_width", preview.Width);
      Print("preview_height", preview.Height);
      FirstPicture();
      StartFittedRedraw();
      SendLater(WheelNotch());
      step_ = Step::Notch;
      return true;
    }
    case Step::Notch:
      if (deliveredAt_ == Clock::time_point{}) return false;
      Print("wheel_answered", Seconds(deliveredAt_ - sentAt_.load()));
      step_ = Step::NotchPicture;
      return true;
    case Step::NotchPicture:
      if (!Drawn()) return false;
      Print("notch_fitted", Seconds(now - deliveredAt_));
      StartFittedRedraw();
      SendLater(EscPress());
      step_ = Step::Esc;
      return true;
    case Step::Esc: {
      const bool in = EscSeenWhenSent() ? sentAt_.load() != Clock::time_point{}
                                        : deliveredAt_ != Clock::time_point{};
      if (!in || form_.Preview.RedrawPending()) return false;
      Print("esc_answered", Seconds(now - sentAt_.load()));
      EscAnswered();
      Finish();
      return false;
    }
    case Step::Done:
      return false;
  }
  return false;
}

void WindowProbe::StartFittedRedraw() {
  sentAt_ = Clock::time_point{};
  form_.Preview.FormKeyDown(NavKey::Home, false);
  deliveredAt_ = {};
}

void WindowProbe::SendLater(std::function<void()> send) {
  if (sender_.joinable()) sender_.join();
  sender_ = std::thread([this, send = std::move(send)] {
    std::this_thread::sleep_for(kSendAfter);
    sentAt_ = Clock::now();
    send();
  });
}

void WindowProbe::Finish() {
  step_ = Step::Done;
  Print("peak_mb", PeakMegabytes());
  Quit();
}
