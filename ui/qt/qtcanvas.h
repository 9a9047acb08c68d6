// The canvas of the preview on Linux: the raster canvas with its glyphs from
// Qt's fonts, its pixels shown as a QImage that shares them.
//
// The glyph source makes each font record a QFont of the installed face
// that stands in for the host's face name. Upright and quarter-turned
// glyphs are drawn by Qt's font engine, hinted as any text on screen; at
// other turns a glyph is its raw-font outline. A face asked for as "@..."
// writes vertically: full-width glyphs stand upright in their cell when the
// run goes downwards, in the face's vertical forms where it has them.
#pragma once

#include <QImage>
#include <QString>
#include <memory>

#include "raster/rastercanvas.h"

// Glyphs from Qt's fonts; one source serves one thread.
class QtGlyphSource : public GlyphSource {
 public:
  std::unique_ptr<GlyphFace> MakeFace(const LogFont& font) override;
  std::unique_ptr<GlyphSource> MakeAnother() const override;
};

class QtCanvas : public RasterCanvas {
 public:
  // Its glyphs from Qt's fonts unless another source is given.
  explicit QtCanvas(int width, int height, Blank blank = Blank::White,
                    std::unique_ptr<GlyphSource> glyphs = nullptr);

  // The picture drawn so far, over the canvas's own pixels: what is drawn
  // next shows in it, so a picture kept across drawing is a copy().
  const QImage& Image();
  // A new size, blank; pen, brush and font stay.
  void Resize(int width, int height);

 private:
  QImage image_;
};
