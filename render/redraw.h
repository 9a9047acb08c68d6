// The preview's redraw as one object: the frame, the walk of the store in
// slices so a window can answer its user between them, the texts' second
// thread with the layer it draws on and what the two share, and the store
// revision and view the redraw began from.
//
// The rule that keeps the second thread safe is this object's own: whoever
// changes the store or the view stops the redraw first (Stop), and begins a
// new one after. A redraw that finds the drawing or the view changed all the
// same draws nothing more: no slice ever reads records that have gone.
#pragma once

#include <cstdint>
#include <memory>

#include "exchange/store.h"
#include "preview/canvas.h"
#include "preview/gval.h"
#include "render/renderer.h"

class LayerThread;

enum class TRedrawEnd {
  Done,     // the picture is complete
  Escaped,  // Esc cut it short; the canvas keeps the partial picture
  Paused,   // more to draw: Continue again
  Stale,    // the store or the view changed since Begin: begin anew
};

class TRedraw {
 public:
  TRedraw();
  // Stops the redraw under way and ends the texts' thread.
  ~TRedraw();
  TRedraw(const TRedraw&) = delete;
  TRedraw& operator=(const TRedraw&) = delete;

  // Stops the redraw under way, then begins one on the canvas, whose size
  // is width x height: the frame is drawn at once, the store by Continue.
  void Begin(Canvas& canvas, int32_t width, int32_t height);
  // Draws on until the store is drawn, Esc is held, or pause answers true.
  TRedrawEnd Continue(const RenderPause& pause);
  // Stops the redraw under way where it stands, the texts' thread waited
  // for; the canvas keeps what was drawn. No redraw is under way after.
  void Stop();

  // A redraw has begun and not ended.
  bool Pending() const { return canvas_ != nullptr; }
  // The size the last redraw began at.
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

 private:
  class Texts;
  // The store and the view as they were at Begin.
  bool Current() const;

  Canvas* canvas_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TRenderProgress progress_;
  // The pen and brush the next slice goes on with: a paint in between may
  // have drawn with other tools.
  Pen pen_;
  Brush brush_;
  TDrawingRevisions revision_{};
  TView view_;
  std::unique_ptr<Texts> texts_;
};
