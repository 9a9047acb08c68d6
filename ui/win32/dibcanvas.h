// The canvas of the preview on Windows: the raster canvas drawing straight
// into a DIB section's bits, which the window copies to the screen with one
// BitBlt, and its glyphs' outlines from GetGlyphOutlineW, where the "@"
// faces give the vertical forms.
#pragma once

#include <memory>
#include <string>

#include "raster/rastercanvas.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32.h"

// The face (Shift-JIS, as FaceNameOf gives it) as GDI is to get it: the
// host's own where the system has it, else the Japanese face that stands
// in for it; an "@" stays in front. Each name is looked up once.
std::wstring InstalledFace(const std::string& sjis);

// The GDI font record of a canvas font with the face given, as GDI is to
// make it (default output precision; no turn).
LOGFONTW GdiFontRecord(const LogFont& font, const std::wstring& face);

// A DIB section of 32-bit pixels, rows from the top, its bits at *bits;
// null when there is no memory for it.
HBITMAP TopDownDib(HDC dc, int width, int height, void** bits);

// Glyphs from GDI's fonts; one source serves one thread.
class GdiGlyphSource : public GlyphSource {
 public:
  GdiGlyphSource() = default;
  std::unique_ptr<GlyphFace> MakeFace(const LogFont& font) override;
  std::unique_ptr<GlyphSource> MakeAnother() const override;

 private:
  MemoryDc dc_;  // where the faces' fonts are selected to be read
};

class DibCanvas : public RasterCanvas {
 public:
  // A white canvas of the size, its glyphs from GDI unless another source
  // is given.
  DibCanvas(int width, int height, std::unique_ptr<GlyphSource> glyphs = nullptr);
  // The memory device context that holds the picture, for BitBlt.
  HDC Dc();
};
