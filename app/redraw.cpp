// The preview's picture: a redraw drawn in slices of at most RedrawSlice
// between the window's events (the front end calls ContinueRedraw when the
// input and paints waiting now are handled), its partial picture shown now
// and then, and the finished one kept for the paints that follow.
#include <chrono>

#include "app/preview.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "render/renderer.h"

namespace {

// A redraw's partial picture is shown this often: each showing copies the
// whole canvas to the screen, time the redraw itself would wait for.
constexpr std::chrono::milliseconds kShowPartialEvery{100};

}  // namespace

void TPreview::RedrawView() {
  if (!ViewReady) return;
  ++RedrawsBegun;
  BandShown = false;
  redrawStopped_ = false;
  // No paint shows the old picture while the redraw is under way, and
  // its end makes the new one: a picture's worth of memory freed meanwhile.
  ViewBitmap.reset();
  Canvas& canvas = ui_.PreviewCanvas();
  const TBounds box = ui_.PaintBoxBounds();
  redraw_.Begin(canvas, box.Width, box.Height);
  partialShownAt_ = std::chrono::steady_clock::now();
  DrawRedrawSlice(canvas);
}

void TPreview::ContinueRedraw() {
  if (!open_) return;
  sliceScheduled_ = false;
  // A band or a drag on the canvas waits for its buttons' release.
  if (!RedrawPending() || MouseFlags != 0) return;
  // A canvas of another size is blank, and a redraw a change stopped drew
  // what is gone: the redraw starts again.
  if (redrawStopped_ || !DrawnAtPaintBoxSize()) {
    RedrawView();
    ui_.RepaintPreview();
    return;
  }
  Canvas& canvas = ui_.PreviewCanvas();
  DrawRedrawSlice(canvas);
  const auto now = std::chrono::steady_clock::now();
  if (!RedrawPending() || now - partialShownAt_ >= kShowPartialEvery) {
    partialShownAt_ = now;
    ui_.RepaintPreview();
  }
}

void TPreview::DrawRedrawSlice(Canvas& canvas) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + RedrawSlice;
  switch (redraw_.Continue([until] { return Clock::now() >= until; })) {
    case TRedrawEnd::Paused:
      AskForRedrawSlice();
      return;
    case TRedrawEnd::Stale:
      // Changed past ChangeStoreOrView: what it drew stays until the new one.
      redrawStopped_ = true;
      AskForRedrawSlice();
      return;
    case TRedrawEnd::Done:
    case TRedrawEnd::Escaped:
      // A redraw cut short by Esc keeps what it drew, as the picture to repaint.
      FinishRedraw(canvas);
      return;
  }
}

bool TPreview::DrawnAtPaintBoxSize() const {
  const TBounds box = ui_.PaintBoxBounds();
  return box.Width == redraw_.Width() && box.Height == redraw_.Height();
}

void TPreview::AskForRedrawSlice() {
  if (sliceScheduled_) return;
  sliceScheduled_ = true;
  ui_.ScheduleRedrawSlice();
}

void TPreview::FinishRedraw(Canvas& canvas) {
  redraw_.Stop();
  redrawStopped_ = false;
  ViewBitmap = canvas.CopyToBitmap();
}

bool TPreview::EscapeKeyDown() {
  if (!open_) return false;
  if (!RedrawPending()) return false;
  FinishRedraw(ui_.PreviewCanvas());
  return true;
}

void TPreview::ChangeStoreOrView(const std::function<void()>& change) {
  if (redraw_.Pending()) {
    redraw_.Stop();
    redrawStopped_ = true;
    AskForRedrawSlice();
  }
  change();
}

void TPreview::PaintBox1Paint() {
  if (!open_) return;
  BandShown = false;
  // The canvas holds the redraw under way; the copy is of an older view.
  if (RedrawPending()) return;
  if (!ViewBitmap) {
    FitView();
    return;
  }
  Canvas& canvas = ui_.PreviewCanvas();
  const TBounds box = ui_.PaintBoxBounds();
  RenderViewFrame(canvas, box.Width, box.Height);
  canvas.DrawBitmap(0, 0, *ViewBitmap);
}

void TPreview::Close() {
  open_ = false;
  ViewReady = false;
  ViewBitmap.reset();
  DragBitmap.reset();
}

void TPreview::Resized() {
  if (!open_ || !ViewReady) return;
  const TBounds box = ui_.PaintBoxBounds();
  ChangeStoreOrView([&box] {
    CenterView((Gval.ViewMinX + Gval.ViewMaxX) / 2, (Gval.ViewMinY + Gval.ViewMaxY) / 2, box.Width,
               box.Height);
  });
}

void TPreview::SizeSettled() {
  if (!open_) return;
  // A picture of the old size would sit in a corner with a second frame; one
  // of this size (a window shown, or sized back and forth) stays.
  if ((RedrawPending() || ViewBitmap) && DrawnAtPaintBoxSize()) return;
  RedrawView();
  ui_.RepaintPreview();
}
