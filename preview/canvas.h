// The drawing surface the preview draws on: a GDI-like canvas with a current
// pen, a current brush, a current font and a text colour. The core draws only
// through this seam; the platform supplies the real surface and the tests a
// recording one.
//
// GDI semantics are the contract every implementation keeps:
// - LineTo draws from the current position up to, but not including, the end
//   pixel, and the end becomes the current position;
// - Rectangle leaves out its right and bottom edge: (0, 0)-(10, 10) covers the
//   pixels 0..9 both ways, outline and fill alike;
// - Polyline leaves out its last point; Polygon closes itself, fills with the
//   alternate (even-odd) rule and outlines with the pen;
// - a pen of width 0 or 1 draws one pixel wide, in its style; a wider pen is
//   solid whatever its style, round at every point, end points included, and
//   its outline is one region: xor toggles each pixel once, a fill lies
//   outside it;
// - hatch gaps are transparent, so what lay beneath shows through;
// - the xor mix toggles the destination by the pen colour (fills by the brush
//   colour), so drawing the same thing twice restores the pixels;
// - SetPixel sets the pixel whatever the mix.
//
// Colours are 32-bit values with red in the low byte (0x00BBGGRR).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

using TColor = uint32_t;

// The colour value of (red, green, blue), red in the low byte.
constexpr TColor RGB(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

enum class PenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Null };

// How the pen and the brush combine with the pixels beneath.
enum class PenMix : uint8_t { Copy, Xor };

enum class BrushStyle : uint8_t {
  Hollow,
  Solid,
  Horizontal,
  Vertical,
  FDiagonal,  // 45 degrees downwards from left to right
  BDiagonal,  // 45 degrees upwards from left to right
  Cross,
  DiagCross,
};

struct Pen {
  TColor Color = RGB(0, 0, 0);
  int32_t Width = 1;  // pixels; 0 draws one pixel wide
  PenStyle Style = PenStyle::Solid;
  PenMix Mix = PenMix::Copy;
  bool operator==(const Pen&) const = default;
};

struct Brush {
  TColor Color = RGB(255, 255, 255);
  BrushStyle Style = BrushStyle::Solid;
  bool operator==(const Brush&) const = default;
};

// The font request, laid out like the platform's LOGFONT record. Sizes are in
// pixels, the escapement in tenths of a degree counter-clockwise. A face name
// starting with "@" asks for the vertical-writing variant of the face.
struct LogFont {
  int32_t Height = 0;  // cell height; 0 leaves the size to the font engine
  int32_t Width = 0;   // average width of a half-width character; 0 = natural
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = 400;  // 400 normal, 700 bold
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t CharSet = 1;   // DEFAULT_CHARSET
  std::string FaceName;  // Shift-JIS
  bool operator==(const LogFont&) const = default;
};

struct ScreenPoint {
  int32_t x;
  int32_t y;
  bool operator==(const ScreenPoint&) const = default;
};

// A copy of canvas pixels, row by row from the top, one TColor per pixel.
struct Bitmap {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<TColor> Pixels;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(const Pen& pen) = 0;
  virtual Pen GetPen() const = 0;
  virtual void SetBrush(const Brush& brush) = 0;
  virtual Brush GetBrush() const = 0;

  virtual void MoveTo(int32_t x, int32_t y) = 0;
  // Draws with the pen from the current position, leaving out (x, y).
  virtual void LineTo(int32_t x, int32_t y) = 0;
  virtual void SetPixel(int32_t x, int32_t y, TColor color) = 0;
  // Fills with the brush and outlines with the pen, right and bottom edge
  // left out; the corners may come in any order.
  virtual void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  // Joins the points with the pen, leaving out the last one.
  virtual void Polyline(std::span<const ScreenPoint> points) = 0;
  // Fills the closed shape with the brush (alternate rule) and outlines it.
  virtual void Polygon(std::span<const ScreenPoint> points) = 0;
  // Each point joined to the next by a line that includes its end pixel:
  // MoveTo, LineTo and the end pixel in the pen's colour, line by line (the
  // ScreenLine of preview/draw.h). A canvas may draw the run in one go,
  // pixel for pixel the same.
  virtual void ScreenLines(std::span<const ScreenPoint> points) {
    for (size_t i = 1; i < points.size(); ++i) {
      MoveTo(points[i - 1].x, points[i - 1].y);
      LineTo(points[i].x, points[i].y);
      SetPixel(points[i].x, points[i].y, GetPen().Color);
    }
  }

  // Makes the font the canvas font; glyphs are drawn in the text colour.
  virtual void SetFont(const LogFont& font) = 0;
  virtual void SetTextColor(TColor color) = 0;
  // Draws one character (Shift-JIS) with its cell's top-left corner, turned
  // by the escapement, at (x, y). The cell is filled with the brush colour
  // first unless the brush is hollow.
  virtual void TextOut(int32_t x, int32_t y, const std::string& glyph) = 0;

  // A redraw may draw part of its texts on a second thread, onto a layer: a
  // canvas of this one's size, transparent until drawn on, that stacks
  // beneath: each glyph drawn on it, with the cell a brush fills for it,
  // goes under what the layer holds, so its texts are drawn last to first.
  // LayerMaker takes here what a layer needs from this canvas and gives a
  // maker that the second thread calls once: the layer is made, drawn on
  // and destroyed there, with fonts and glyphs of its own. Null when the
  // canvas has no layer: the redraw draws every text itself.
  using LayerMaker = std::function<std::unique_ptr<Canvas>()>;
  virtual LayerMaker MakeLayerMaker() { return nullptr; }
  // Called on a layer before each drawing after its first: blank again,
  // and its pen and brush count as not set.
  virtual void BlankLayer() {}
  // Lays a layer this canvas's maker made over the canvas, once its drawing
  // ran to its end; the canvas's pen and brush become the ones the layer's
  // drawing set: what drawing it here would have left. False, with nothing
  // laid, when the layer does not fit the canvas (of another size).
  virtual bool LayOver(Canvas& layer) {
    (void)layer;
    return false;
  }

  // A copy of the whole surface.
  virtual Bitmap CopyToBitmap() = 0;
  // Puts the bitmap's pixels with its top-left corner at (x, y), clipped to
  // the surface.
  virtual void DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) = 0;
};
