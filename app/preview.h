// PaintBox1, the preview, as Form1 owns it: the picture of the store drawn
// in slices through the front end's Canvas, the copy that paints show, and
// the navigation by mouse, wheel and keys with the one-step previous view.
// The view itself is the shared view state Gval (preview/gval.h); every
// change of it, and of the store, goes through ChangeStoreOrView, which
// stops the redraw that reads both on two threads.
//
// The handlers act only while the window is open (Open to Close), so a
// front end forwards every event as it comes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/frontend.h"
#include "app/previewinput.h"
#include "preview/canvas.h"
#include "preview/gval.h"
#include "render/redraw.h"

class TPreview {
 public:
  explicit TPreview(FrontEnd& ui) : ui_(ui) {}

  // The window shows, or closes: nothing is drawn once it closes.
  void Open() { open_ = true; }
  void Close();
  // The window's size changed: centre and scale stay, and the picture
  // follows once the size settles (SizeSettled), unless it already is of
  // that size.
  void Resized();
  void SizeSettled();

  void PaintBox1Paint();
  // buttons: the kMouse bits held now.
  void PaintBox1MouseDown(uint8_t buttons, int32_t x, int32_t y);
  void PaintBox1MouseMove(int32_t x, int32_t y);
  void PaintBox1MouseUp(int32_t x, int32_t y);
  // Screen coordinates of the mouse.
  void FormMouseWheelDown(int32_t sx, int32_t sy);
  void FormMouseWheelUp(int32_t sx, int32_t sy);
  // The wheel turned by delta, 120 a notch as the systems count (a touchpad
  // sends many smaller deltas): each whole notch zooms one step, and what is
  // left waits for more in the same direction.
  void FormMouseWheel(int32_t sx, int32_t sy, int32_t delta);
  // True when the key acted and is consumed.
  bool FormKeyDown(NavKey key, bool shift);

  // Starts drawing the preview anew. A redraw that outlasts RedrawSlice
  // goes on in further slices (ContinueRedraw) with the window answering in
  // between; any new redraw replaces it.
  void RedrawView();
  void ContinueRedraw();
  // Esc pressed: stops a redraw in slices where it stands, keeping the
  // partial picture as Esc held during a redraw does. False when no redraw
  // was going on.
  bool EscapeKeyDown();
  void FitView();
  void ZoomAt(int32_t sx, int32_t sy, double factor);
  void ZoomToBox(double x1, double y1, double x2, double y2);
  void ZoomOutAt(double x1, double y1, double x2, double y2);
  void CenterAt(double x, double y);
  void DrawRubberBand();

  // The one path by which the store and the view change: the redraw under
  // way, which reads both on two threads, is stopped first, and a new one
  // follows in the next slice unless the change begins one itself.
  void ChangeStoreOrView(const std::function<void()>& change);

  // How long one slice of a redraw may keep the window from its user; with
  // the repaint after it and the work of the handler that began the redraw
  // (a fit reads the whole drawing's extents), the window still answers
  // within a tenth of a second.
  std::chrono::microseconds RedrawSlice{30000};
  // A redraw is under way, or begins again in the next slice: the canvas
  // holds its partial picture.
  bool RedrawPending() const { return redraw_.Pending() || redrawStopped_; }
  // Redraws begun since the form was made: the start-up shows its first
  // picture after one, which the window probes and tests hold it to.
  int RedrawsBegun = 0;

  bool ViewReady = false;
  bool KeysEnabled = false;
  double ZoomStep = 2.0;
  uint8_t MouseFlags = 0;
  int32_t PressX = 0;
  int32_t PressY = 0;
  // The rubber band is on the canvas, and the finished picture that paints
  // show until the next redraw.
  bool BandShown = false;
  TBandRect BandRect;
  std::optional<Bitmap> ViewBitmap;
  std::optional<Bitmap> DragBitmap;
  TView PrevView;

 private:
  void SavePrevView();
  // Makes v the view when it stays within the limits; false otherwise.
  bool TakeView(const TView& v);
  // Saves the previous view, takes v and redraws; false, and nothing done,
  // when v is refused.
  bool ChangeView(const TView& v);
  // One slice of the redraw under way, and what follows it: the next slice
  // asked for, or the finished (or stopped) picture kept as ViewBitmap.
  void DrawRedrawSlice(Canvas& canvas);
  void FinishRedraw(Canvas& canvas);
  void AskForRedrawSlice();
  // Whether the last redraw began at the paint box's present size.
  bool DrawnAtPaintBoxSize() const;
  void TakePaintBoxSize();
  void FinishBand(double px, double py, double rx, double ry);
  void FinishDrag(double px, double py, double rx, double ry);
  void PanByKey(NavKey key, bool shift);
  void CenterOnExtents();

  FrontEnd& ui_;
  bool open_ = false;
  // The redraw under way, and whether a change stopped it before its end,
  // so that the next slice begins it anew.
  TRedraw redraw_;
  bool redrawStopped_ = false;
  bool sliceScheduled_ = false;
  // When the redraw's partial picture was last shown.
  std::chrono::steady_clock::time_point partialShownAt_;
  int32_t wheelRest_ = 0;
};
