// The canvas of the preview on screen: a QImage drawn with the GDI semantics
// the core relies on (see preview/canvas.h). One-pixel lines are walked
// straight into the pixels (thinline.h), which gives GDI's end-pixel and
// xor rules exactly and is what the renderer spends its time on; fills,
// wide pens and glyphs go through a QPainter whose pen and brush are rebuilt
// only when a value actually changes.
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>

#include "preview/canvas.h"
#include "ui/qt/thinline.h"

// The Qt colour of a 0x00BBGGRR colour, opaque.
QColor QtColor(TColor c);

// The Qt fill pattern of a brush style; hatch gaps stay transparent.
Qt::BrushStyle QtBrushStyle(BrushStyle style);

class QtCanvas : public Canvas {
 public:
  // A white canvas of the size.
  QtCanvas(int width, int height);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // The picture drawn so far.
  const QImage& Image();
  // A new size, filled white; pen, brush and font stay.
  void Resize(int width, int height);

  void SetPen(const Pen& pen) override;
  Pen GetPen() const override { return pen_; }
  void SetBrush(const Brush& brush) override;
  Brush GetBrush() const override { return brush_; }
  void MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void SetPixel(int32_t x, int32_t y, TColor color) override;
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void Polyline(std::span<const ScreenPoint> points) override;
  void Polygon(std::span<const ScreenPoint> points) override;
  void SetFont(const LogFont& font) override;
  void SetTextColor(TColor color) override;
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override;
  Bitmap CopyToBitmap() override;
  void DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) override;

 private:
  // What the painter was last set up for.
  enum class PainterUse { None, Fill, WideStroke, Text };

  QPainter& Painter(PainterUse use);
  void EndPainting();
  // The pixels, unshared, for writing straight into them.
  const PixelBuffer& Pixels();
  bool ThinPen() const { return pen_.Width <= 1 || pen_.Style == PenStyle::Null; }
  // A one-pixel segment by the pen, last pixel left out.
  void ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // The outline through the points, closed or open, by the current pen.
  void Outline(std::span<const ScreenPoint> points, bool closed);
  void FillPolygon(std::span<const ScreenPoint> points);

  QImage image_;
  QPainter painter_;
  PainterUse painterUse_ = PainterUse::None;
  PixelBuffer pixels_;
  bool pixelsValid_ = false;
  QList<QPoint> points_;  // reused for the painter's point lists
  Pen pen_;
  Brush brush_;
  LineStyleMask style_;
  int64_t stylePhase_ = 0;
  int32_t posX_ = 0;
  int32_t posY_ = 0;
  QFont font_;
  bool fontVisible_ = false;  // a cell height of 0 draws no glyph
  bool vertical_ = false;     // the face asked for the vertical-writing variant
  double rotation_ = 0.0;     // degrees clockwise on screen
  int cellHeight_ = 0;
  double ascent_ = 0.0;
  int halfWidth_ = 0;  // the width of a half-width character in pixels
  TColor textColor_ = RGB(0, 0, 0);
};

// The installed face that stands in for a face name (UTF-8) the host uses,
// so Japanese text never falls back to a Latin-only face.
QString SubstituteFace(const QString& face);
