// Real GDI drawing into a DIB section, one GDI call per Canvas call: GDI's
// own rules are the Canvas contract, so this is the reference the raster
// canvas's pixels are compared with.
#pragma once

#include "preview/canvas.h"
#include "ui/win32/win32.h"

class GdiCanvas : public Canvas {
 public:
  // A white canvas of the size.
  GdiCanvas(int width, int height);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // A new size, filled white; pen, brush and font stay.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The memory device context that holds the picture, for BitBlt.
  HDC Dc() const { return dc_; }

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
  // Swaps a new GDI object into the context and deletes the one it replaces.
  void Select(HGDIOBJ object, HGDIOBJ& owned);
  void SelectPen();
  void SelectBrush();
  // The pixels, 0x00RRGGBB, row by row from the top.
  uint32_t* Pixels();
  const POINT* GdiPoints(std::span<const ScreenPoint> points);

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ initialBitmap_ = nullptr;
  HGDIOBJ initialPen_ = nullptr;
  HGDIOBJ initialBrush_ = nullptr;
  HGDIOBJ initialFont_ = nullptr;
  HGDIOBJ ownPen_ = nullptr;
  HGDIOBJ ownBrush_ = nullptr;
  HGDIOBJ ownFont_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  Pen pen_;
  Brush brush_;
  bool fontVisible_ = false;  // a cell height of 0 draws no glyph
  std::vector<POINT> points_;
};
