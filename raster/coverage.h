// Antialiased coverage of filled outlines, worked out straight from their
// edges: each edge adds the signed area it sweeps to an accumulation buffer,
// and a running sum along each row then says how much of every pixel lies
// inside. Glyphs drawn at a turn are filled this way from an outline taken
// once, where a painter would set itself up and ask the font engine again
// for every turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A point of an outline, in pixels, y downwards.
struct PointF {
  double x = 0.0;
  double y = 0.0;
};

// An affine map of the plane, laid out as the toolkits lay theirs: a point
// (x, y) goes to (m11 x + m21 y + dx, m12 x + m22 y + dy).
struct Affine {
  double m11 = 1.0, m12 = 0.0, m21 = 0.0, m22 = 1.0, dx = 0.0, dy = 0.0;

  static Affine Translation(double x, double y) { return {1.0, 0.0, 0.0, 1.0, x, y}; }
  // Turned by the degrees, clockwise on a screen whose y goes downwards.
  static Affine Rotation(double degrees);
  PointF Map(PointF p) const { return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy}; }
  // This map, then the other.
  Affine Then(const Affine& o) const {
    return {m11 * o.m11 + m12 * o.m21,      m11 * o.m12 + m12 * o.m22,
            m21 * o.m11 + m22 * o.m21,      m21 * o.m12 + m22 * o.m22,
            dx * o.m11 + dy * o.m21 + o.dx, dx * o.m12 + dy * o.m22 + o.dy};
  }
};

// Closed contours of straight edges; each contour ends where the next
// begins, and its last point joins its first.
struct FlatOutline {
  std::vector<PointF> Points;
  std::vector<uint32_t> ContourEnds;  // one past each contour's last point
};

// Coverage held elsewhere: one byte a pixel, 0 outside and 255 wholly
// inside, rows from the top, with where its top-left pixel lies.
struct CoverageView {
  const uint8_t* Alpha = nullptr;
  int Width = 0;
  int Height = 0;
  int Left = 0;
  int Top = 0;
};

// Coverage that holds its pixels.
struct CoverageMask {
  std::vector<uint8_t> Alpha;
  int Width = 0;
  int Height = 0;
  int Left = 0;
  int Top = 0;

  CoverageView View() const { return {Alpha.data(), Width, Height, Left, Top}; }
};

// Builds an outline from a path's moves, lines and curves, every curve cut
// into edges that stray from it by no more than a tenth of a unit, so a
// path in pixels keeps its look.
class OutlineBuilder {
 public:
  void MoveTo(PointF p);
  void LineTo(PointF p);
  void QuadTo(PointF control, PointF end);
  void CubicTo(PointF c1, PointF c2, PointF end);
  // The outline so far; the builder starts again empty.
  FlatOutline Take();

 private:
  void CloseContour();
  FlatOutline outline_;
};

// The width of a mask's rows holding `width` pixels, padded with bare pixels
// to a multiple of rowQuantum.
inline int PaddedWidth(int width, int rowQuantum) {
  return (width + rowQuantum - 1) / rowQuantum * rowQuantum;
}

// The coverage of the outline mapped by the transform, under the nonzero
// rule: where contours overlap a pixel counts once. An empty outline, or one
// too large to cover (beyond kMaxCoverageSide pixels a side), gives an
// empty mask.
// Rows are padded as by PaddedWidth.
inline constexpr int kMaxCoverageSide = 4096;
// With a clip, only the part within it is covered, whatever the outline's
// size: the clip's sides must be below kMaxCoverageSide.
struct CoverageClip {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom left out
};
CoverageMask FillCoverage(const FlatOutline& outline, const Affine& transform, int rowQuantum = 1,
                          const CoverageClip* clip = nullptr);
// The same into a mask whose memory is used again.
void FillCoverage(const FlatOutline& outline, const Affine& transform, int rowQuantum,
                  const CoverageClip* clip, CoverageMask& mask);

// The coverage of the mask's outline turned further by quarter turns, each
// as Affine::Rotation(-90) maps it: (x, y) to (y, -x). The pixel grid
// turns onto itself, so this is the filled coverage of the turned outline
// without filling it again. Rows are padded as by PaddedWidth.
CoverageMask QuarterTurned(const CoverageView& mask, int quarters, int rowQuantum = 1);

// Lays one row of coverage over pixels of 0xAARRGGBB in the colour: each
// channel, alpha too, becomes (colour * w + pixel * (256 - w)) / 256,
// rounded down, with w = alpha + alpha / 128 (0..256). An opaque colour
// leaves opaque pixels opaque, and over transparent ones gives the colour
// premultiplied by the coverage. Pixels under no coverage keep their value.
void BlendCoverageRow(uint32_t* pixels, const uint8_t* alpha, size_t count, uint32_t argb);
// Lays the row beneath premultiplied pixels instead, as what was drawn
// before them: each channel gains (b * (255 - A)) / 255, rounded to the
// nearest, with b the channel BlendCoverageRow leaves over a bare pixel and
// A the pixel's alpha. Over a bare pixel this is BlendCoverageRow to the
// bit; an opaque colour beneath any pixel leaves it opaque; and laying
// glyphs last to first beneath each other comes within rounding of laying
// them first to last over each other.
void BlendCoverageRowUnder(uint32_t* pixels, const uint8_t* alpha, size_t count, uint32_t argb);
