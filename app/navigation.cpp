// The preview's navigation: fitting, zooming and panning with the mouse,
// the wheel and the keys, and the one-step previous view (drawing the
// picture is redraw.cpp's). Every view change goes through TakeView, which refuses a view that
// is not finite or leaves the scale limits, so no sequence of keys, notches
// or drags can lead to a blank preview that no key brings back.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/preview.h"
#include "app/viewmath.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/graattribute.h"
#include "preview/gval.h"
#include "render/renderer.h"

namespace {

// A drag that stays within this many pixels either way is a click.
constexpr double kClickPixels = 5.0;

}  // namespace

void TPreview::SavePrevView() {
  PrevView = CurrentView();
}

bool TPreview::TakeView(const TView& v) {
  if (!ViewWithinLimits(v)) return false;
  ChangeStoreOrView([&v] { SetView(v); });
  return true;
}

bool TPreview::ChangeView(const TView& v) {
  if (!ViewWithinLimits(v)) return false;
  SavePrevView();
  TakeView(v);
  RedrawView();
  ui_.RepaintPreview();
  return true;
}

void TPreview::TakePaintBoxSize() {
  const TBounds box = ui_.PaintBoxBounds();
  ChangeStoreOrView([&box] {
    Gval.ViewWidth = box.Width;
    Gval.ViewHeight = box.Height;
  });
}

void TPreview::FitView() {
  SavePrevView();
  const TBounds box = ui_.PaintBoxBounds();
  ChangeStoreOrView([&box] { FitViewToExtents(box.Width, box.Height); });
  RedrawView();
}

void TPreview::ZoomAt(int32_t sx, int32_t sy, double factor) {
  const TBounds box = ui_.PaintBoxBounds();
  const TView v = CurrentView();
  // In doubles: a mouse far off the box is no overflow.
  const double wx = PixelToWorldX(v, static_cast<double>(sx) - box.Left);
  const double wy = PixelToWorldY(v, static_cast<double>(sy) - box.Top);
  ChangeView(ZoomedView(v, wx, wy, factor));
}

void TPreview::ZoomToBox(double x1, double y1, double x2, double y2) {
  TakePaintBoxSize();
  ChangeView(BoxView(x1, y1, x2, y2, Gval.ViewWidth, Gval.ViewHeight));
}

void TPreview::ZoomOutAt(double x1, double y1, double x2, double y2) {
  const TView v = CurrentView();
  TakePaintBoxSize();
  ChangeView(ZoomedOutView(v, x1, y1, x2, y2, Gval.ViewWidth, Gval.ViewHeight));
}

void TPreview::CenterAt(double x, double y) {
  TakePaintBoxSize();
  const TView v = CurrentView();
  ChangeView(MovedView(v, x - (v.MinX + v.MaxX) / 2, y - (v.MinY + v.MaxY) / 2));
}

void TPreview::DrawRubberBand() {
  Canvas& canvas = ui_.PreviewCanvas();
  SetXorPen(canvas);
  const TColor color = GraAttribute().GetBackMode() == 0 ? RGB(0, 255, 255) : RGB(255, 0, 0);
  SetPlainPen(canvas, color, 0, 3);
  SetPlainBrush(canvas, 0, 0);
  ScreenRect(canvas, BandRect.X1, BandRect.Y1, BandRect.X2, BandRect.Y2);
  // Later drawing copies again; only the band is drawn in xor.
  Pen pen = canvas.GetPen();
  pen.Mix = PenMix::Copy;
  canvas.SetPen(pen);
}

void TPreview::PaintBox1MouseDown(uint8_t buttons, int32_t x, int32_t y) {
  if (!open_) return;
  if ((MouseFlags & (kMouseLeft | kMouseRight)) == 0) {
    PressX = x;
    PressY = y;
  }
  MouseFlags |= buttons & (kMouseLeft | kMouseRight | kMouseMiddle);
  if (MouseFlags & kMouseMiddle) {
    DragBitmap = ui_.PreviewCanvas().CopyToBitmap();
  }
}

void TPreview::PaintBox1MouseMove(int32_t x, int32_t y) {
  if (!open_) return;
  const uint8_t both = kMouseLeft | kMouseRight;
  if ((MouseFlags & both) == both) {
    if (BandShown) DrawRubberBand();
    BandRect = {PressX, PressY, x, y};
    DrawRubberBand();
    BandShown = true;
    ui_.RepaintPreview();
  } else if ((MouseFlags & kMouseMiddle) && DragBitmap) {
    BandShown = false;
    Canvas& canvas = ui_.PreviewCanvas();
    const TBounds box = ui_.PaintBoxBounds();
    ClearView(canvas, box.Width, box.Height);
    // A mouse dragged far off the box puts the picture off the canvas,
    // held within the screen's coordinates rather than overflowing them.
    canvas.DrawBitmap(HeldPixel(static_cast<double>(x) - PressX),
                      HeldPixel(static_cast<double>(y) - PressY), *DragBitmap);
    ui_.RepaintPreview();
  }
}

void TPreview::PaintBox1MouseUp(int32_t x, int32_t y) {
  if (!open_) return;
  const TView v = CurrentView();
  const double px = PixelToWorldX(v, PressX);
  const double py = PixelToWorldY(v, PressY);
  const double rx = PixelToWorldX(v, x);
  const double ry = PixelToWorldY(v, y);
  const uint8_t both = kMouseLeft | kMouseRight;
  if ((MouseFlags & both) == both) {
    FinishBand(px, py, rx, ry);
  } else if (MouseFlags & kMouseMiddle) {
    FinishDrag(px, py, rx, ry);
  }
  MouseFlags = 0;
  if (RedrawPending()) AskForRedrawSlice();
}

void TPreview::FinishBand(double px, double py, double rx, double ry) {
  if (BandShown) {
    DrawRubberBand();
    ui_.RepaintPreview();
  }
  BandShown = false;
  const double click = kClickPixels / Gval.ViewScale;
  if (std::abs(rx - px) <= click || std::abs(ry - py) <= click) {
    CenterAt(px, py);
  } else if (px < rx && py > ry) {
    ZoomToBox(px, py, rx, ry);
  } else if (px > rx && py < ry) {
    ZoomOutAt(px, py, rx, ry);
  } else if (px < rx && py < ry) {
    FitView();
    ui_.RepaintPreview();
  } else {
    const TView current = CurrentView();
    TakeView(PrevView);
    PrevView = current;
    RedrawView();
    ui_.RepaintPreview();
  }
}

void TPreview::FinishDrag(double px, double py, double rx, double ry) {
  DragBitmap.reset();
  if (!ChangeView(MovedView(CurrentView(), px - rx, py - ry))) {
    // The dragged picture goes; the view stays as it was.
    RedrawView();
    ui_.RepaintPreview();
  }
}

void TPreview::FormMouseWheelDown(int32_t sx, int32_t sy) {
  ZoomAt(sx, sy, ZoomStep);
}

void TPreview::FormMouseWheelUp(int32_t sx, int32_t sy) {
  ZoomAt(sx, sy, 1 / ZoomStep);
}

void TPreview::FormMouseWheel(int32_t sx, int32_t sy, int32_t delta) {
  if (!open_) return;
  constexpr int32_t kNotch = 120;
  // A turn the other way starts afresh, as the systems' own controls do.
  if ((delta > 0) != (wheelRest_ > 0)) wheelRest_ = 0;
  wheelRest_ += std::clamp(delta, -1000 * kNotch, 1000 * kNotch);
  for (; wheelRest_ >= kNotch; wheelRest_ -= kNotch) FormMouseWheelUp(sx, sy);
  for (; wheelRest_ <= -kNotch; wheelRest_ += kNotch) FormMouseWheelDown(sx, sy);
}

bool TPreview::FormKeyDown(NavKey key, bool shift) {
  if (!open_) return false;
  if (!KeysEnabled) return false;
  const TBounds box = ui_.PaintBoxBounds();
  const int32_t cx = box.Left + box.Width / 2;
  const int32_t cy = box.Top + box.Height / 2;
  switch (key) {
    case NavKey::PageUp:
      ZoomAt(cx, cy, ZoomStep);
      break;
    case NavKey::PageDown:
      ZoomAt(cx, cy, 1 / ZoomStep);
      break;
    case NavKey::End:
    case NavKey::Insert:
      CenterOnExtents();
      break;
    case NavKey::Home:
      FitView();
      ui_.RepaintPreview();
      break;
    default:
      PanByKey(key, shift);
      break;
  }
  return true;
}

void TPreview::CenterOnExtents() {
  const TDrawingExtents& e = DrawingExtents;
  ChangeView(CenteredView((e.ExtMinX + e.ExtMaxX) / 2, (e.ExtMinY + e.ExtMaxY) / 2, Gval.ViewScale,
                          Gval.ViewWidth, Gval.ViewHeight));
}

void TPreview::PanByKey(NavKey key, bool shift) {
  const double fifth = shift ? 0.2 : 1.0;
  const double sx = (Gval.ViewMaxX - Gval.ViewMinX) / 2 * fifth;
  const double sy = (Gval.ViewMaxY - Gval.ViewMinY) / 2 * fifth;
  double dx = 0;
  double dy = 0;
  if (key == NavKey::Left) dx = -sx;
  if (key == NavKey::Right) dx = sx;
  if (key == NavKey::Up) dy = sy;
  if (key == NavKey::Down) dy = -sy;
  ChangeView(MovedView(CurrentView(), dx, dy));
}
