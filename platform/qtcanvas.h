// The canvas of the preview on screen: QPainter drawing into a QImage, with
// the GDI semantics the core relies on (see preview/canvas.h). Pen and brush
// are value state; the Qt objects behind them are rebuilt only when a value
// actually changes, because the renderer sets the same pen for millions of
// segments.
#pragma once

#include <QImage>
#include <QPainter>

#include "preview/canvas.h"

class QtCanvas : public Canvas {
 public:
  // A white canvas of the size.
  QtCanvas(int width, int height);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // The picture drawn so far; a shallow copy, valid until the next drawing.
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
  void Begin();
  void End();
  void ApplyPen();
  void ApplyBrush();

  QImage image_;
  QPainter painter_;
  Pen pen_;
  Brush brush_;
  bool penDirty_ = true;
  bool brushDirty_ = true;
  QPoint position_;
  QFont font_;
  bool vertical_ = false;  // the face asked for the vertical-writing variant
  int escapement_ = 0;
  TColor textColor_ = RGB(0, 0, 0);
};

// The installed face that stands in for a face name (UTF-8) the host uses,
// so Japanese text never falls back to a Latin-only face.
QString SubstituteFace(const QString& face);
