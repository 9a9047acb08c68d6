// Antialiased coverage of filled outlines, worked out straight from their
// edges: each edge adds the signed area it sweeps to an accumulation buffer,
// and a running sum along each row then says how much of every pixel lies
// inside. Glyphs drawn at a turn are filled this way from an outline taken
// once, where a painter would set itself up and ask the font engine again
// for every turn.
#pragma once

#include <QPainterPath>
#include <QTransform>
#include <cstdint>
#include <vector>

// Closed contours of straight edges; each contour ends where the next
// begins, and its last point joins its first.
struct FlatOutline {
  std::vector<QPointF> Points;
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

// The path's outline with every curve cut into edges that stray from it by
// no more than a tenth of a unit, so a path in pixels keeps its look.
FlatOutline FlattenPath(const QPainterPath& path);

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
CoverageMask FillCoverage(const FlatOutline& outline, const QTransform& transform,
                          int rowQuantum = 1);

// The coverage of the mask's outline turned further by quarter turns, each
// as QTransform().rotate(-90) maps it: (x, y) to (y, -x). The pixel grid
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
