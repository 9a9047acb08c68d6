// The canvas a layer's texts are drawn through. A layer stacks beneath
// (Canvas::MakeLayerMaker), so its texts are walked last to first; this canvas
// holds the glyphs of one text, each with the font, text colour and brush
// it was drawn with, and lays them on the layer last to first too. The
// layer then stacks every glyph as drawing the texts first to last in
// place would have.
//
// Pens and brushes reach the layer as they are set, so it tells which pens
// its drawing set. When the drawing ends, the layer takes the pen and brush
// the last text in drawing order left, which is what drawing the texts in
// place would have left. A text draws glyphs alone; anything else it might
// draw passes straight to the layer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "preview/canvas.h"

class TReversedGlyphs : public Canvas {
 public:
  explicit TReversedGlyphs(Canvas& layer);

  // Lays the glyphs held, last to first, and lets go of them; call after
  // each text.
  void LayText();
  // Leaves the layer with the pen and brush the first text laid left.
  void Finish();

  void SetPen(const Pen& pen) override;
  Pen GetPen() const override { return pen_; }
  void SetBrush(const Brush& brush) override;
  Brush GetBrush() const override { return brush_; }
  void SetFont(const LogFont& font) override;
  void SetTextColor(TColor color) override { textColor_ = color; }
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override;

  void MoveTo(int32_t x, int32_t y) override { layer_.MoveTo(x, y); }
  void LineTo(int32_t x, int32_t y) override { layer_.LineTo(x, y); }
  void SetPixel(int32_t x, int32_t y, TColor color) override { layer_.SetPixel(x, y, color); }
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    layer_.Rectangle(x1, y1, x2, y2);
  }
  void Polyline(std::span<const ScreenPoint> points) override { layer_.Polyline(points); }
  void Polygon(std::span<const ScreenPoint> points) override { layer_.Polygon(points); }
  Bitmap CopyToBitmap() override { return layer_.CopyToBitmap(); }
  void DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) override {
    layer_.DrawBitmap(x, y, bitmap);
  }

 private:
  struct Glyph {
    int32_t X;
    int32_t Y;
    std::string Bytes;
    size_t Font;  // in fonts_
    TColor TextColor;
    Brush Fill;
  };

  Canvas& layer_;
  Pen pen_;
  Brush brush_;
  TColor textColor_ = RGB(0, 0, 0);
  // The fonts of the glyphs held; the last is the current one.
  std::vector<LogFont> fonts_;
  std::vector<Glyph> glyphs_;
  bool set_ = false;                           // a pen or brush was set since the drawing began
  std::optional<std::pair<Pen, Brush>> left_;  // by the first text that set either
};
