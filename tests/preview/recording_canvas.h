// A canvas that draws nothing and records every call, so tests assert the
// exact drawing, call by call, without pixels.
//
// Each call is kept twice: as a line of text for golden dumps and readable
// failures, and as structured data for the odd test that wants numbers.
// Line formats (colours as rgb(r,g,b), texts as UTF-8):
//   SetPen rgb(0,0,255) w1 solid copy      styles: solid dash dot dashdot
//                                          dashdotdot null; mixes: copy xor
//   SetBrush rgb(255,255,255) hollow       styles: hollow solid horizontal
//                                          vertical fdiagonal bdiagonal
//                                          cross diagcross
//   MoveTo 10 20
//   LineTo 30 40
//   SetPixel 30 40 rgb(0,0,0)
//   Rectangle 0 0 100 50
//   Polyline 0 0, 10 0, 10 10              the points in order
//   Polygon 0 0, 10 0, 10 10
//   SetFont h12 w6 e900 o0 wt400 cs1 iuS "ＭＳ ゴシック"   i/u/s upper case when set
//   SetTextColor rgb(0,0,0)
//   TextOut 5 7 "字"
//   CopyToBitmap
//   DrawBitmap 0 0 100x50
// Every SetPen and SetBrush is recorded, even one that changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preview/canvas.h"

struct RecordedCall {
  std::string Name;           // the first word of the line: "LineTo", "SetPen" ...
  std::vector<int64_t> Ints;  // the numbers in line order (a pen: colour, width,
                              // style, mix as their enum values; points x, y ...)
  std::string Text;           // the font's face name or the glyph, Shift-JIS
};

class RecordingCanvas : public Canvas {
 public:
  // The size CopyToBitmap reports; its pixels are all 0.
  explicit RecordingCanvas(int32_t width = 0, int32_t height = 0);

  const std::vector<std::string>& Lines() const { return lines_; }
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  // The lines that start with the prefix ("LineTo", "Set"), in order.
  std::vector<std::string> LinesStartingWith(std::string_view prefix) const;
  // All lines, each ended by "\n".
  std::string Dump() const;
  // Forgets the calls; the current pen, brush and position stay.
  void Clear();
  // A layer made blank records anew.
  void BlankLayer() override { Clear(); }

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

 protected:
  // The other canvas's calls after these, and its pen and brush taken as if
  // its calls had been made here (none made, none taken).
  void Append(const RecordingCanvas& other);

 private:
  void Record(std::string line, std::vector<int64_t> ints, std::string text = {});
  // A call whose line is the prefix and the points, "x y" joined by ", ".
  void RecordPoints(const std::string& prefix, std::span<const ScreenPoint> points);

  int32_t width_;
  int32_t height_;
  Pen pen_;
  Brush brush_;
  std::vector<std::string> lines_;
  std::vector<RecordedCall> calls_;
};

// "rgb(r,g,b)" of a colour value.
std::string ColorText(TColor color);
