#include "raster/layerthread.h"

#include <utility>

#include "raster/rastercanvas.h"

LayerThread::LayerThread(std::unique_ptr<GlyphSource> glyphs)
    : glyphs_(std::move(glyphs)), thread_([this] { Run(); }) {}

LayerThread::~LayerThread() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    stop_ = true;
    changed_.notify_all();
  }
  thread_.join();
}

void LayerThread::Start(int width, int height, Canvas::LayerDrawing drawing) {
  Stop();
  std::lock_guard lock(mutex_);
  width_ = width;
  height_ = height;
  next_ = std::move(drawing);
  busy_ = true;
  finished_ = false;
  stop_ = false;
  changed_.notify_all();
}

bool LayerThread::Wait(std::chrono::microseconds wait) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, wait, [this] { return !busy_; });
}

void LayerThread::Stop() {
  std::unique_lock lock(mutex_);
  if (next_) {
    // Not begun: nothing to wait for.
    next_ = nullptr;
    busy_ = false;
  }
  stop_ = true;
  changed_.wait(lock, [this] { return !busy_; });
}

RasterCanvas* LayerThread::TakeFinished() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (!finished_) return nullptr;
  finished_ = false;
  return layer_.get();
}

void LayerThread::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || next_ != nullptr; });
    if (quit_) break;
    const Canvas::LayerDrawing drawing = std::exchange(next_, nullptr);
    const int width = width_;
    const int height = height_;
    lock.unlock();
    if (layer_ == nullptr) {
      layer_ = std::make_unique<RasterCanvas>(width, height, std::move(glyphs_),
                                              RasterCanvas::Blank::Underlay);
    } else {
      layer_->Resize(width, height);
    }
    layer_->ForgetPenAndBrush();
    drawing(*layer_, stop_);
    lock.lock();
    finished_ = !stop_;
    busy_ = false;
    changed_.notify_all();
  }
  lock.unlock();
  layer_.reset();
}
