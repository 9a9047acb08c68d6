#include "render/layerthread.h"

#include <utility>

LayerThread::LayerThread() : thread_([this] { Run(); }) {}

LayerThread::~LayerThread() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    stop_ = true;
    changed_.notify_all();
  }
  thread_.join();
}

void LayerThread::Start(Canvas::LayerMaker maker, Drawing drawing) {
  Stop();
  std::lock_guard lock(mutex_);
  if (maker) maker_ = std::move(maker);
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

Canvas* LayerThread::TakeFinished() {
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
    const Drawing drawing = std::exchange(next_, nullptr);
    const Canvas::LayerMaker maker = std::exchange(maker_, nullptr);
    lock.unlock();
    if (maker) {
      layer_ = maker();
    } else {
      layer_->BlankLayer();
    }
    drawing(*layer_, stop_);
    lock.lock();
    finished_ = !stop_;
    busy_ = false;
    changed_.notify_all();
  }
  lock.unlock();
  layer_.reset();
}
