// The redraw under way: its walk, its texts' thread, and the check that the
// drawing and the view are still those it began from.
#include "render/redraw.h"

#include <cstring>
#include <utility>

#include "exchange/store.h"
#include "preview/gval.h"
#include "render/layerthread.h"

// The texts' layer of the redraws on one canvas: its thread is made with the
// first layer, and a layer is made anew only for another canvas or size.
class TRedraw::Texts final : public TTextsLayer {
 public:
  void Prepare(Canvas& canvas, int32_t width, int32_t height) {
    if (&canvas == canvas_ && width == width_ && height == height_) return;
    Drop();
    canvas_ = &canvas;
    width_ = width;
    height_ = height;
    maker_ = canvas.MakeLayerMaker();
    hasLayer_ = maker_ != nullptr;
  }
  bool Start(Drawing drawing) override {
    if (!hasLayer_) return false;
    if (thread_ == nullptr) thread_ = std::make_unique<LayerThread>();
    thread_->Start(std::exchange(maker_, nullptr), std::move(drawing));
    return true;
  }
  bool Done(std::chrono::microseconds wait) override {
    return thread_ == nullptr || thread_->Wait(wait);
  }
  bool Lay(Canvas& canvas) override {
    if (thread_ == nullptr) return false;
    Canvas* layer = thread_->TakeFinished();
    return layer != nullptr && canvas.LayOver(*layer);
  }
  void Drop() override {
    if (thread_ != nullptr) thread_->Stop();
  }

 private:
  const Canvas* canvas_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool hasLayer_ = false;
  Canvas::LayerMaker maker_;  // until the thread takes it
  std::unique_ptr<LayerThread> thread_;
};

TRedraw::TRedraw() : texts_(std::make_unique<Texts>()) {}

TRedraw::~TRedraw() {
  Stop();
}

void TRedraw::Begin(Canvas& canvas, int32_t width, int32_t height) {
  Stop();
  RenderPreviewFrame(canvas, width, height);
  canvas_ = &canvas;
  width_ = width;
  height_ = height;
  revision_ = DrawingRevisions();
  view_ = CurrentView();
  texts_->Prepare(canvas, width, height);
  pen_ = canvas.GetPen();
  brush_ = canvas.GetBrush();
}

bool TRedraw::Current() const {
  // Bit for bit: a view that is not a number never equals itself.
  const TView view = CurrentView();
  if (std::memcmp(&view, &view_, sizeof view) != 0) return false;
  return DrawingRevisions() == revision_;
}

TRedrawEnd TRedraw::Continue(const RenderPause& pause) {
  if (!Pending()) return TRedrawEnd::Done;
  if (!Current()) {
    Stop();
    return TRedrawEnd::Stale;
  }
  Canvas& canvas = *canvas_;
  if (!(canvas.GetPen() == pen_)) canvas.SetPen(pen_);
  if (!(canvas.GetBrush() == brush_)) canvas.SetBrush(brush_);
  const TRenderEnd end = RenderStoreFrom(canvas, progress_, pause, texts_.get());
  if (end == TRenderEnd::Paused) {
    pen_ = canvas.GetPen();
    brush_ = canvas.GetBrush();
    return TRedrawEnd::Paused;
  }
  Stop();
  return end == TRenderEnd::Done ? TRedrawEnd::Done : TRedrawEnd::Escaped;
}

void TRedraw::Stop() {
  texts_->Drop();
  canvas_ = nullptr;
  progress_ = {};
}
