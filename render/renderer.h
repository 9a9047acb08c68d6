// The preview renderer, the walk of the store: draws every entity of the
// exchange store onto the canvas through preview/'s drawing and text/'s
// (image references, points and texts), kind by kind in a fixed order (image references first, then
// solids, lines, circles, arcs, points, texts and dimensions last, so lines
// and texts lie over filled areas), with the current view and the attribute
// instance. Records on hidden layers are skipped, and auxiliary ones (colour
// 9, or line type 9 for lines, circles, arcs and dimension lines) while
// auxiliary entities are switched off.
// Holding Esc cuts a long redraw short; the canvas is then partly drawn.
//
// Every coordinate and length of a record is divided by PreviewDivisor of its
// header. An entity wholly outside the view is recognised from its bounding
// box before any pen is set or any point is mapped, and a whole block of
// records outside it from the block's box (preview/blockboxes.h), which
// draws exactly what the records' own tests would.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "exchange/store.h"
#include "preview/blockboxes.h"
#include "preview/canvas.h"

// Draws the whole store; returns early when Esc is held, polled after every
// tenth drawn record of a kind, after each block of records passed over
// outside the view, and before each kind.
void RenderStore(Canvas& canvas);

// A redraw in parts, so a window can answer its user between them: where
// the walk stands (the step of the kinds in drawing order, the next record
// of that step's kind) and why it stopped.
class TTextShare;
struct TRenderProgress {
  size_t Step = 0;
  size_t Next = 0;
  bool Begun = false;  // the walk has started
  // The texts this walk shares with the texts' layer, while it does.
  std::shared_ptr<TTextShare> SharedTexts;
};
enum class TRenderEnd { Done, Escaped, Paused };
// Asked where Esc is polled: true to pause the walk there.
using RenderPause = std::function<bool()>;

// The second thread a walk may share its texts with: it draws part of them
// onto a layer of the canvas (Canvas::MakeLayerMaker), laid over the
// canvas once both are done.
class TTextsLayer {
 public:
  using Drawing = std::function<void(Canvas& layer, const std::atomic<bool>& stop)>;
  virtual ~TTextsLayer() = default;
  // Starts the drawing on the layer; false when the canvas has none.
  virtual bool Start(Drawing drawing) = 0;
  // True once the drawing has ended, waiting at most `wait` for it.
  virtual bool Done(std::chrono::microseconds wait) = 0;
  // Waits for the drawing and, when it ran to its end, lays the layer over
  // the canvas. False, with nothing laid, when it was stopped.
  virtual bool Lay(Canvas& canvas) = 0;
  // Stops the drawing and waits for it; nothing is laid.
  virtual void Drop() = 0;
};

// RenderStore from where progress stands, until the store is drawn, Esc is
// held, or pause answers true; progress then tells where to go on. A walk
// resumed on the same canvas draws what one whole walk draws.
// With a texts' layer, its thread draws texts from the walk's start, last
// to first; the walk, once it reaches the texts, draws them first to last
// in place until the two meet, and then lays the layer. Whichever thread
// has less else to draw draws more of the texts. Esc drops the layer, and
// so does a walk begun while the layer still draws an earlier one, before
// it reads the texts' block index.
// Neither the store nor the view may change while a walk is under way:
// TRedraw (render/redraw.h) is the owner that keeps that rule.
TRenderEnd RenderStoreFrom(Canvas& canvas, TRenderProgress& progress, const RenderPause& pause,
                           TTextsLayer* texts = nullptr);

// The canvas cleared and framed in blue, as a paint shows it under a copy
// of the picture.
void RenderViewFrame(Canvas& canvas, int32_t width, int32_t height);
// What a redraw draws before the store on a canvas of the given size:
// the view frame, and a red cross of five pixels each way on the
// origin (point 1).
void RenderPreviewFrame(Canvas& canvas, int32_t width, int32_t height);
// The frame and the whole store over it.
void RenderPreview(Canvas& canvas, int32_t width, int32_t height);

// Solids take their colour from SolidRGB when Color is 10, else from the
// layer and colour number, with a solid pen and a solid brush.
void RenderSolid2(Canvas& canvas, const TJwwEntSolid2& r);     // a line in the solid's colour
void RenderSolid3(Canvas& canvas, const TJwwEntSolid3& r);     // a filled triangle
void RenderSolid4(Canvas& canvas, const TJwwEntSolid4& r);     // a filled quadrilateral
void RenderSolidSc(Canvas& canvas, const TJwwEntSolidArc& r);  // filled, by its Code
void RenderSolidSe(Canvas& canvas, const TJwwEntSolidArc& r);  // an outline, by its Code
void RenderSolidSo(Canvas& canvas, const TJwwEntSolidArc& r);  // a filled ring sector
void RenderSolidSg(Canvas& canvas, const TJwwEntSolidArc& r);  // a filled ring sector

void RenderLine(Canvas& canvas, const TJwwEntLine& r);
void RenderCircle(Canvas& canvas, const TJwwEntCircle& r);
// Equal start and end angles (after wrapping) draw the whole ellipse.
void RenderArc(Canvas& canvas, const TJwwEntArc& r);
// The line and the text, each with its own header; with auxiliary entities
// switched off an auxiliary line or text is left out.
void RenderDim(Canvas& canvas, const TJwwEntDim& r);
