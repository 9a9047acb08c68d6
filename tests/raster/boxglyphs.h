// A glyph source with no toolkit beneath, for the tests of the raster canvas
// and of what draws on it: every glyph is a framed box with a bar across,
// its outline worked out from the font record alone, so the pictures are the
// same on every machine. What a face is made of shows in the box: the cell
// height and width its size, the weight its strokes, italic its slant, the
// face name and the glyph where its bar lies; underline and strike-out are
// the face's bars, and an "@" face stands full-width glyphs up in their
// cells. A cell height of 0, or one beyond 16384 pixels, draws nothing.
#pragma once

#include <memory>

#include "raster/glyphsource.h"
#include "raster/rastercanvas.h"

class BoxGlyphSource : public GlyphSource {
 public:
  std::unique_ptr<GlyphFace> MakeFace(const LogFont& font) override;
  std::unique_ptr<GlyphSource> MakeAnother() const override;
};

// A raster canvas of box glyphs.
class BoxCanvas : public RasterCanvas {
 public:
  explicit BoxCanvas(int width, int height, Blank blank = Blank::White)
      : RasterCanvas(width, height, std::make_unique<BoxGlyphSource>(), blank) {}
};
