// The canvas of the preview on both front ends: the GDI semantics the core
// relies on (see preview/canvas.h) on a 32-bit pixel buffer, with no toolkit
// beneath. One-pixel lines are walked straight into the pixels
// (thinline.h), which gives GDI's end-pixel, dash and xor rules exactly and
// is what the renderer spends its time on; fills and hatches go by scanline
// spans, wide pens as the regions GDI fills for them, glyphs as coverage
// laid in the text colour, with their underlines and strike-outs, by the
// glyph painter (glyphpainter.h), whose caches live as long as the canvas.
//
// The buffer holds 0xAARRGGBB words (blue in the low byte, as a 32-bit DIB
// and a QImage hold them), rows from the top; where it lives is up to a
// PixelStore, so a front end can hand the system the very pixels drawn.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "preview/canvas.h"
#include "raster/coverage.h"
#include "raster/glyphpainter.h"
#include "raster/glyphsource.h"
#include "raster/thinline.h"

// Memory for the canvas's pixels.
class PixelStore {
 public:
  virtual ~PixelStore() = default;
  // Room for width x height pixels (each at least 1), replacing the last;
  // its contents are left to the canvas.
  virtual PixelBuffer Allocate(int width, int height) = 0;
};

class RasterCanvas : public Canvas {
 public:
  // What a canvas is before anything is drawn: white, or transparent for a
  // layer laid over another canvas. A layer's texts are drawn last to
  // first: each glyph, and the cell a brush fills for it, goes beneath what
  // the layer holds.
  enum class Blank { White, Underlay };
  // With no store the pixels live in the canvas.
  RasterCanvas(int width, int height, std::unique_ptr<GlyphSource> glyphs,
               Blank blank = Blank::White, std::unique_ptr<PixelStore> store = nullptr);
  ~RasterCanvas() override;
  RasterCanvas(const RasterCanvas&) = delete;
  RasterCanvas& operator=(const RasterCanvas&) = delete;

  // The picture drawn so far.
  const PixelBuffer& Pixels() const { return pixels_; }
  int Width() const { return pixels_.Width; }
  int Height() const { return pixels_.Height; }
  Blank Kind() const { return blank_; }
  // Where the pixels live.
  PixelStore& Store() { return *store_; }
  // A new size, blank; pen, brush and font stay.
  void Resize(int width, int height);
  // Pen and brush count as not set, until set again: a layer's merge takes
  // only what its drawing set.
  void ForgetPenAndBrush();

  void SetPen(const Pen& pen) override;
  Pen GetPen() const override { return pen_; }
  void SetBrush(const Brush& brush) override;
  Brush GetBrush() const override { return brush_; }
  void MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void ScreenLines(std::span<const ScreenPoint> points) override;
  void SetPixel(int32_t x, int32_t y, TColor color) override;
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void Polyline(std::span<const ScreenPoint> points) override;
  void Polygon(std::span<const ScreenPoint> points) override;
  void SetFont(const LogFont& font) override;
  void SetTextColor(TColor color) override;
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override;
  // A layer of this canvas's size with a glyph source of its own, laid
  // over this canvas's pixels by the source-over blend.
  LayerMaker MakeLayerMaker() override;
  void BlankLayer() override;
  bool LayOver(Canvas& layer) override;
  Bitmap CopyToBitmap() override;
  void DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) override;

 private:
  bool ThinPen() const { return pen_.Width <= 1 || pen_.Style == PenStyle::Null; }
  // A one-pixel segment by the pen, last pixel left out.
  void ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // The pixels a wide pen covers along the points, into wide_, as GDI's
  // pen region: a band along each segment and a round blot at each point,
  // one set so that each pixel is drawn once.
  void WideOutline(std::span<const ScreenPoint> points, bool closed);
  // wide_ laid down by the pen.
  void LayWide();
  // Span, leaving out the pixels of wide_: a fill beneath a wide outline.
  void SpanBesideWide(int32_t y, int32_t x0, int32_t x1, uint32_t argb, bool xorMix, bool hatched);
  // The outline through the points, closed or open, by the current pen.
  void Outline(std::span<const ScreenPoint> points, bool closed);
  // Fills the pixels whose centres lie inside the polygon (alternate rule)
  // with the colour, in the brush's pattern when `hatched`.
  void FillShape(std::span<const PointF> points, uint32_t argb, bool xorMix, bool hatched);
  // Pixels [x0, x1) of a row in the colour, by the brush's pattern and mix.
  void Span(int32_t y, int32_t x0, int32_t x1, uint32_t argb, bool xorMix, bool hatched);

  // The glyph's cell filled with the brush, unless it is hollow.
  void FillCell(int32_t x, int32_t y, bool fullWidth);

  Blank blank_;
  GlyphPainter glyphs_;
  std::unique_ptr<PixelStore> store_;
  PixelBuffer pixels_;
  Pen pen_;
  Brush brush_;
  bool penSet_ = true;  // see ForgetPenAndBrush
  bool brushSet_ = true;
  const LineStyleMask* style_ = &kSolidLine;  // the pen's, shared
  int64_t stylePhase_ = 0;                    // along the outline under way
  int32_t posX_ = 0;
  int32_t posY_ = 0;
  std::vector<PointF> shape_;  // reused for the fills' corners
  // A wide pen's pixels, by rows then columns, none overlapping; and how far
  // each row of the pen's round blot lies in from the blot's box.
  struct WideSpan {
    int32_t Y, X0, X1;
  };
  std::vector<WideSpan> wide_;
  std::vector<int32_t> blotInsets_;
  // The fills' working rows: each edge with the rows it crosses, the edges
  // crossing the row under way, where they cross it.
  struct FillEdge {
    double X, Y, Dx, Dy;
    int64_t First, Last;
  };
  struct FillScratch {
    std::vector<FillEdge> Edges;
    std::vector<uint32_t> Active;
    std::vector<double> Crossings;
  };
  FillScratch fill_;

  TColor textColor_ = RGB(0, 0, 0);
};
