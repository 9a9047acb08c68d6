// The second thread of a RasterCanvas: it draws one drawing at a time into a
// transparent canvas of its own, the layer, while the canvas's own thread
// draws the rest. The layer, and with it every font and glyph it makes, is
// made, used and destroyed on this thread; its owner reads it only between
// drawings.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "preview/canvas.h"

class GlyphSource;
class RasterCanvas;

class LayerThread {
 public:
  // The layer's glyphs come from the source, made, used and destroyed on
  // the thread.
  explicit LayerThread(std::unique_ptr<GlyphSource> glyphs);
  // Stops the drawing under way and ends the thread.
  ~LayerThread();
  LayerThread(const LayerThread&) = delete;
  LayerThread& operator=(const LayerThread&) = delete;

  // Stops the drawing under way, then starts this one on a blank layer of
  // the size.
  void Start(int width, int height, Canvas::LayerDrawing drawing);
  // True once no drawing is under way, waiting at most `wait` for it.
  bool Wait(std::chrono::microseconds wait);
  // Stops the drawing under way and waits for it.
  void Stop();
  // Waits for the drawing under way; then the layer of the last drawing,
  // when it ran to its end and was not taken yet, else null.
  RasterCanvas* TakeFinished();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  Canvas::LayerDrawing next_;  // waiting to start
  bool busy_ = false;          // a drawing waits or runs
  bool finished_ = false;      // the last drawing ran to its end
  bool quit_ = false;
  int width_ = 0;
  int height_ = 0;
  std::atomic<bool> stop_{false};
  std::unique_ptr<GlyphSource> glyphs_;  // until the layer takes them
  std::unique_ptr<RasterCanvas> layer_;
  std::thread thread_;  // last, so it starts once the rest is made
};
