// The canvas of the preview on screen: a QImage drawn with the GDI semantics
// the core relies on (see preview/canvas.h). One-pixel lines are walked
// straight into the pixels (thinline.h), which gives GDI's end-pixel and
// xor rules exactly and is what the renderer spends its time on; fills,
// wide pens and glyphs go through a QPainter whose pen and brush are rebuilt
// only when a value actually changes.
//
// Text is where a redraw spends its time, so nothing about it is made twice:
// each distinct font record becomes a font once, and each glyph of a font at
// a turn is drawn once as its coverage, which later outputs lay down in the
// text colour straight into the pixels. Turns are kept in steps small enough
// that no pixel of the glyph moves by half a pixel, quarter turns exactly.
// Glyphs upright or at a quarter turn come from the font engine, hinted as
// any text on screen; at any other turn a glyph is its outline, taken once
// per face and glyph and filled at the turn, since shaping and hinting it
// anew for each of dozens of turns is what a drawing of texts at random
// angles would otherwise spend its redraw on. The caches live as long as
// the canvas, across redraws.
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRawFont>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "preview/canvas.h"
#include "text/facenames.h"
#include "ui/qt/coverage.h"
#include "ui/qt/maskcache.h"
#include "ui/qt/thinline.h"

// The Qt colour of a 0x00BBGGRR colour, opaque.
QColor QtColor(TColor c);

// The Qt fill pattern of a brush style; hatch gaps stay transparent.
Qt::BrushStyle QtBrushStyle(BrushStyle style);

class LayerThread;

class QtCanvas : public Canvas {
 public:
  // What a canvas is before anything is drawn: white, or transparent for a
  // layer laid over another canvas. A layer's texts are drawn last to
  // first: each glyph, and the cell a brush fills for it, goes beneath what
  // the layer holds.
  enum class Blank { White, Underlay };
  explicit QtCanvas(int width, int height, Blank blank = Blank::White);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // The picture drawn so far.
  const QImage& Image();
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
  // Part of a redraw's texts on a second thread, laid over this canvas's
  // pixels by Qt's source-over blend.
  bool StartLayer(LayerDrawing drawing) override;
  bool LayerDone(std::chrono::microseconds wait) override;
  bool MergeLayer() override;
  void DropLayer() override;
  Bitmap CopyToBitmap() override;
  void DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) override;

 private:
  // What the painter was last set up for.
  enum class PainterUse { None, Fill, WideStroke, Text };

  QPainter& Painter(PainterUse use);
  void EndPainting();
  // The pixels, unshared, for writing straight into them; asked for by
  // every line, so the check stays inline.
  const PixelBuffer& Pixels() {
    if (!pixelsValid_) TakePixels();
    return pixels_;
  }
  void TakePixels();
  bool ThinPen() const { return pen_.Width <= 1 || pen_.Style == PenStyle::Null; }
  // A one-pixel segment by the pen, last pixel left out.
  void ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // The outline through the points, closed or open, by the current pen.
  void Outline(std::span<const ScreenPoint> points, bool closed);
  void FillPolygon(std::span<const ScreenPoint> points);

  Blank blank_;
  QImage image_;
  QPainter painter_;
  PainterUse painterUse_ = PainterUse::None;
  PixelBuffer pixels_;
  bool pixelsValid_ = false;
  QList<QPoint> points_;  // reused for the painter's point lists
  Pen pen_;
  Brush brush_;
  bool penSet_ = true;  // see ForgetPenAndBrush
  bool onePen_ = true;  // every pen set since was the same
  bool brushSet_ = true;
  const LineStyleMask* style_ = &kSolidLine;  // the pen's, shared
  int64_t stylePhase_ = 0;
  int32_t posX_ = 0;
  int32_t posY_ = 0;
  // What a font record becomes on this canvas.
  struct FontFace {
    int Id = 0;  // distinguishes the faces in the glyph cache's keys
    QFont Font;
    bool Visible = false;   // a cell height of 0, or one no font engine can make, draws nothing
    bool Vertical = false;  // the face asked for the vertical-writing variant
    bool Outlined = false;  // turned glyphs are filled from their outlines
    int CellHeight = 0;
    double Ascent = 0.0;
    int HalfWidth = 0;  // the width of a half-width character in pixels
    QRawFont Raw;       // the glyphs by index, taken on first use
  };
  // A glyph drawn once as its coverage, to be laid down in any colour, its
  // top-left given from the glyph's output point.
  using GlyphMask = CoverageMask;

  static std::unique_ptr<FontFace> MakeFace(const LogFont& font, int id);
  // Whether two fonts differ in their turn alone.
  static bool SameFace(const LogFont& a, const LogFont& b);
  // Makes face_ the face of the font, made on first use.
  void TakeFace(const LogFont& font);
  // Where the glyph's cell goes, turned by the degrees counter-clockwise.
  QTransform CellTransform(bool fullWidth, double degrees) const;
  // The glyph's cell filled with the brush, unless it is hollow.
  void FillCell(int32_t x, int32_t y, bool fullWidth);
  // The glyph drawn straight onto the image, for ones too big to keep.
  void DrawGlyphDirect(int32_t x, int32_t y, const std::string& glyph, bool fullWidth);
  // The cached coverage of the glyph at the current turn, or null when the
  // glyph is too big to keep.
  const CoverageView* Mask(const std::string& glyph, bool fullWidth);
  // The glyph's coverage drawn by the font engine into the bounds of its
  // turned cell, cut to the rows and columns it touches, its rows padded
  // for the blend.
  GlyphMask EngineCoverage(const std::string& glyph, bool fullWidth, const QTransform& cell);
  // The index of the text's one glyph in the face, or 0 when the face lacks
  // it; the face's raw font is taken on first use.
  quint32 GlyphIndex(const QString& text);
  // The glyph's outline in its cell, upright, made once per face and glyph.
  const FlatOutline& Outline(const std::string& glyph, uint64_t code);
  // The mask, whose maker padded its rows for the blend, kept under the
  // key; the caches emptied first when full.
  const CoverageView* Keep(uint64_t key, const GlyphMask& mask);
  // The coverage laid down in the text colour with its point at (x, y).
  void LayMask(const CoverageView& mask, int32_t x, int32_t y);

  std::unordered_map<std::string, std::unique_ptr<FontFace>> faces_;
  FontFace* face_ = nullptr;
  LogFont faceFont_;  // the font face_ was taken for
  int32_t escapement_ = 0;
  // For half-width and full-width cells of the face: how many steps a whole
  // turn has (0: drawn straight) and the step of the font's turn.
  int turnSteps_[2] = {0, 0};
  int turnStep_[2] = {0, 0};  // the font's turn, tenths of a degree counter-clockwise, 0..3599
  int nextFaceId_ = 0;
  // By MaskKey: face, step of the turn and the glyph.
  MaskCache masks_;
  QImage scratch_;  // where the font engine draws a glyph's coverage
  size_t maskBytes_ = 0;
  // By MaskKey with no turn.
  std::unordered_map<uint64_t, FlatOutline> outlines_;
  TColor textColor_ = RGB(0, 0, 0);
  std::unique_ptr<LayerThread> layer_;  // started with the first layer
};
