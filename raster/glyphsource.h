// Where the raster canvas's glyphs come from: one implementation per
// platform (the toolkit's raw fonts on Linux, GetGlyphOutlineW on Windows).
// A face gives the outline of a glyph in its cell, and may give coverage as
// its own font engine draws it, hinted to the pixels; the canvas fills,
// turns, keeps and lays them itself.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "preview/canvas.h"
#include "raster/coverage.h"

// One font record made into a face: its cell and its glyphs.
class GlyphFace {
 public:
  virtual ~GlyphFace() = default;

  bool Visible = false;   // a cell height of 0, or one no engine can make, draws nothing
  bool Outlined = false;  // a turned glyph may be filled from its outline
  int CellHeight = 0;     // pixels
  int HalfWidth = 0;      // the advance of a half-width character in pixels

  // An underline or a strike-out: rows [Top, Top + Height) of the upright
  // cell, the whole advance long, along the run (a vertical face's standing
  // of its glyphs up leaves them be). Outlines and coverage leave them out:
  // the canvas adds them to each glyph's outline, so they turn with it.
  struct Bar {
    double Top = 0.0;
    double Height = 0.0;
  };
  std::vector<Bar> Bars;

  // Where a glyph's cell lies within its upright cell before the text's
  // turn: a vertical face may stand full-width glyphs up by turning them.
  virtual Affine InCell(bool fullWidth) const {
    (void)fullWidth;
    return {};
  }
  // The glyph (Shift-JIS, one character) as an outline in its cell, the
  // cell's top-left at (0, 0), y downwards, InCell not applied.
  virtual FlatOutline Outline(const std::string& glyph) = 0;
  // The glyph's coverage as the face's own engine draws it with its cell
  // mapped by `cell`, trimmed to what it touches, rows padded to
  // rowQuantum; false when the face leaves it to its outline.
  virtual bool Coverage(const std::string& glyph, const Affine& cell, int rowQuantum,
                        CoverageMask& mask) {
    (void)glyph;
    (void)cell;
    (void)rowQuantum;
    (void)mask;
    return false;
  }
};

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  // The face of the font record; the turn (Escapement) is not part of it.
  virtual std::unique_ptr<GlyphFace> MakeFace(const LogFont& font) = 0;
  // A source of the same faces for another thread, which shares nothing
  // with this one.
  virtual std::unique_ptr<GlyphSource> MakeAnother() const = 0;
};

// Where a vertical face puts a full-width glyph within its cell of the
// advance by the height: turned a quarter counter-clockwise, so that it
// stands upright when the run goes downwards, and scaled first so that
// turned it fills the cell as an upright one does, its advance along the
// run and its height across.
Affine VerticalInCell(double advance, double height);

// A bar as GDI's TextOut draws it in a cell whose base line lies `ascent`
// below its top: its middle `above` pixels over the base line (below when
// negative), `thickness` pixels thick but never thinner than one.
inline GlyphFace::Bar TextBar(int ascent, int above, int thickness) {
  const int size = std::max(thickness, 1);
  return {static_cast<double>(ascent - (above + size / 2)), static_cast<double>(size)};
}

// Coverage of one byte a pixel, `stride` bytes a row, trimmed to the rows
// and columns it touches, its rows padded to rowQuantum; (left, top) is
// where its first pixel lies.
CoverageMask TrimmedCoverage(const uint8_t* pixels, int stride, int width, int height, int left,
                             int top, int rowQuantum);
