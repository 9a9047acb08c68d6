// The preview's picture: a redraw drawn in slices of at most RedrawSlice
// between the window's events (the front end calls ContinueRedraw when the
// input and paints waiting now are handled), its partial picture shown now
// and then, and the finished one kept for the paints that follow.
#include <chrono>

#include "app/tform1.h"
#include "preview/draw.h"
#include "render/renderer.h"

namespace {

// A redraw's partial picture is shown this often: each showing copies the
// whole canvas to the screen, time the redraw itself would wait for.
constexpr std::chrono::milliseconds kShowPartialEvery{100};

}  // namespace

void TForm1::DrawFrame(Canvas& canvas, int32_t width, int32_t height) {
  ClearView(canvas, width, height);
  SetPlainPen(canvas, RGB(0, 0, 255), 0, 0);
  ScreenRect(canvas, 0, 0, width - 1, height - 1);
}

void TForm1::RedrawView() {
  if (!ViewReady) return;
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

void TForm1::ContinueRedraw() {
  if (!Shown()) return;
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

void TForm1::DrawRedrawSlice(Canvas& canvas) {
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

bool TForm1::DrawnAtPaintBoxSize() const {
  const TBounds box = ui_.PaintBoxBounds();
  return box.Width == redraw_.Width() && box.Height == redraw_.Height();
}

void TForm1::AskForRedrawSlice() {
  if (sliceScheduled_) return;
  sliceScheduled_ = true;
  ui_.ScheduleRedrawSlice();
}

void TForm1::FinishRedraw(Canvas& canvas) {
  redraw_.Stop();
  redrawStopped_ = false;
  ViewBitmap = canvas.CopyToBitmap();
}

bool TForm1::EscapeKeyDown() {
  if (!Shown()) return false;
  if (!RedrawPending()) return false;
  FinishRedraw(ui_.PreviewCanvas());
  return true;
}

void TForm1::ChangeStoreOrView(const std::function<void()>& change) {
  if (redraw_.Pending()) {
    redraw_.Stop();
    redrawStopped_ = true;
    AskForRedrawSlice();
  }
  change();
}

void TForm1::PaintBox1Paint() {
  if (!Shown()) return;
  BandShown = false;
  // The canvas holds the redraw under way; the copy is of an older view.
  if (RedrawPending()) return;
  if (!ViewBitmap) {
    FitView();
    return;
  }
  Canvas& canvas = ui_.PreviewCanvas();
  const TBounds box = ui_.PaintBoxBounds();
  DrawFrame(canvas, box.Width, box.Height);
  canvas.DrawBitmap(0, 0, *ViewBitmap);
}
