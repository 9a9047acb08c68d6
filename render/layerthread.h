// The texts' second thread of a redraw: it draws one drawing at a time onto
// a layer of its own, while the redraw's own thread draws the rest. The
// layer, and with it every font and glyph it makes, is made, used and
// destroyed on this thread; its owner reads it only between drawings.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "preview/canvas.h"

class LayerThread {
 public:
  using Drawing = std::function<void(Canvas& layer, const std::atomic<bool>& stop)>;

  LayerThread();
  // Stops the drawing under way and ends the thread.
  ~LayerThread();
  LayerThread(const LayerThread&) = delete;
  LayerThread& operator=(const LayerThread&) = delete;

  // Stops the drawing under way, then starts this one on the layer made
  // blank; with a maker, on a new layer it makes (the old one is destroyed
  // on the thread).
  void Start(Canvas::LayerMaker maker, Drawing drawing);
  // True once no drawing is under way, waiting at most `wait` for it.
  bool Wait(std::chrono::microseconds wait);
  // Stops the drawing under way and waits for it.
  void Stop();
  // Waits for the drawing under way; then the layer of the last drawing,
  // when it ran to its end and was not taken yet, else null.
  Canvas* TakeFinished();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  Drawing next_;              // waiting to start
  Canvas::LayerMaker maker_;  // a new layer for it, when one is needed
  bool busy_ = false;         // a drawing waits or runs
  bool finished_ = false;     // the last drawing ran to its end
  bool quit_ = false;
  std::atomic<bool> stop_{false};
  std::unique_ptr<Canvas> layer_;
  std::thread thread_;  // last, so it starts once the rest is made
};
