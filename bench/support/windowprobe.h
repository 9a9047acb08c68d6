// The drive of the window probes, the same on both front ends: the program's
// own window over a program folder whose JWC_TEMP.TXT bench/scale.sh
// generated, driven as a user would while its event loop runs, and timed.
// bench/window_probe.cpp (Qt) and bench/window_probe_win32.cpp (Win32) each
// give it their loop's turns and the input as it reaches the window, and do
// what only their window system can: send the input, tell the process's
// times and peak memory, end the loop.
//
// Prints, one figure a line ("name value", seconds unless named otherwise):
//   main_begins         from the process's start to main (the system's own
//                       start of a program: Wine's, under Wine)
//   window_made         from the process's start to the window made and shown
//                       (the host's drawing read)
//   first_picture       from the process's start to the first complete picture
//   first_picture_cpu   the CPU time the process had used by then, all its
//                       threads (on a busy machine the steadier figure)
//   longest_block       the longest the window went without answering in that
//                       first redraw
//   first_slices        how many slices the first redraw took
//   first_redraws       how many redraws began before the first complete
//                       picture
//   preview_width       the preview's size then, in pixels
//   preview_height
//   wheel_answered      from a wheel notch, sent while a fitted redraw is under
//                       way, to the window taking it
//   notch_fitted        from that notch to the complete picture of the new view
//   esc_answered        from Esc, pressed while a fitted redraw is under way, to
//                       the redraw stopped with its partial picture kept
//   peak_mb             the program's peak resident memory
// The notch and the key come from another thread at a set time, as the
// window system would deliver them, whatever the window is doing then.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

class TForm1;

class WindowProbe {
 public:
  using Clock = std::chrono::steady_clock;

  // mainAt: when main began; beforeMain: how long the process had run then.
  WindowProbe(TForm1& form, double beforeMain, Clock::time_point mainAt);
  virtual ~WindowProbe();
  WindowProbe(const WindowProbe&) = delete;
  WindowProbe& operator=(const WindowProbe&) = delete;

  // The window made and shown.
  void WindowMade(Clock::time_point now);
  // A turn of the event loop; slice: whether it carried a slice of a
  // redraw. The gaps between turns are the times the window did not answer.
  void Turned(Clock::time_point now, bool slice);
  // A wheel notch or a key reached the window.
  void Delivered(Clock::time_point now);
  // The step under way looks at the window; true when it ended and the next
  // may look at once.
  bool Look(Clock::time_point now);

 protected:
  struct Size {
    int Width, Height;
  };
  // The CPU time the process has used, all its threads.
  virtual double CpuSeconds() const = 0;
  virtual Size PreviewSize() const = 0;
  // At the first complete picture, before the drive goes on.
  virtual void FirstPicture() {}
  // Made in the window's thread, run from another one: the input that turns
  // the wheel one notch towards the user over the preview, and Esc.
  virtual std::function<void()> WheelNotch() = 0;
  virtual std::function<void()> EscPress() = 0;
  // Whether the redraw sees Esc held as soon as it is sent, by its own poll
  // of the key's state, before the key's event reaches the window.
  virtual bool EscSeenWhenSent() const { return false; }
  // Esc answered: what the press left is put right.
  virtual void EscAnswered() {}
  virtual double PeakMegabytes() const = 0;
  // Out of the event loop without closing the form, which would answer the
  // host.
  virtual void Quit() = 0;

 private:
  enum class Step { FirstPicture, Notch, NotchPicture, Esc, Done };

  bool Drawn() const;
  // A fitted redraw of the whole drawing, as Home starts it.
  void StartFittedRedraw();
  // Runs send on another thread once a set time has passed.
  void SendLater(std::function<void()> send);
  void Finish();

  TForm1& form_;
  double beforeMain_;
  Clock::time_point mainAt_;
  Step step_ = Step::FirstPicture;
  Clock::time_point lastTurn_;
  Clock::duration longestBlock_{};
  int slices_ = 0;
  std::thread sender_;
  std::atomic<Clock::time_point> sentAt_{};
  Clock::time_point deliveredAt_;
};
