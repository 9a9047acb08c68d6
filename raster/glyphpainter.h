// The glyphs of a raster canvas: each glyph laid into the pixels as its
// coverage in the text colour, with the face's underline and strike-out.
//
// Text is where a redraw spends its time, so nothing about it is made twice:
// each distinct font record becomes a face of the glyph source once, and
// each glyph of a face at a turn is drawn once as its coverage, which later
// outputs lay down straight into the pixels. Turns are kept in steps small
// enough that no pixel of the glyph moves by half a pixel, quarter turns
// exactly. Upright and quarter-turned glyphs come from the face's own engine
// where it has one, hinted as any text on screen; at any other turn a glyph
// is its outline, taken once per face and glyph and filled at the turn.
// The caches live as long as the painter, across redraws.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "preview/canvas.h"
#include "raster/coverage.h"
#include "raster/glyphsource.h"
#include "raster/maskcache.h"
#include "raster/thinline.h"

class GlyphPainter {
 public:
  explicit GlyphPainter(std::unique_ptr<GlyphSource> source);
  ~GlyphPainter();
  GlyphPainter(const GlyphPainter&) = delete;
  GlyphPainter& operator=(const GlyphPainter&) = delete;

  GlyphSource& Source() { return *source_; }
  // The face of the font, made on first use, at the font's turn.
  void SetFont(const LogFont& font);
  // Whether glyphs of the font set show: not before any font is set, nor
  // for a face the source cannot draw.
  bool Visible() const { return face_ != nullptr && face_->Glyphs->Visible; }
  // The glyph's coverage laid in the colour (0xAARRGGBB) with its point at
  // (x, y): over the pixels, or beneath them as a layer's texts go.
  void Paint(const PixelBuffer& pixels, int32_t x, int32_t y, const std::string& glyph,
             uint32_t argb, bool beneath);
  // The corners of the glyph's cell with its point at (x, y), at the turn;
  // only while Visible.
  std::array<PointF, 4> Cell(int32_t x, int32_t y, bool fullWidth) const;

 private:
  // What a font record becomes.
  struct Face {
    int Id = 0;  // distinguishes the faces in the glyph cache's keys
    std::unique_ptr<GlyphFace> Glyphs;
  };
  // Where a glyph goes: the pixels, its colour, over or beneath them.
  struct Ink {
    const PixelBuffer& Pixels;
    uint32_t Argb;
    bool Beneath;
  };
  // Whether two fonts differ in their turn alone.
  static bool SameFace(const LogFont& a, const LogFont& b);
  // Makes face_ the face of the font, made on first use.
  void TakeFace(const LogFont& font);
  // Where the glyph's cell goes, turned by the degrees counter-clockwise.
  Affine CellTransform(bool fullWidth, double degrees) const;
  // The glyph filled straight onto the pixels, for ones too big to keep.
  void DrawGlyphDirect(const Ink& ink, int32_t x, int32_t y, const std::string& glyph,
                       bool fullWidth);
  // The cached coverage of the glyph at the current turn, or null when the
  // glyph is too big to keep.
  const CoverageView* Mask(const std::string& glyph, bool fullWidth);
  // The glyph's outline in its cell, upright, made once per face and glyph.
  const FlatOutline& GlyphOutline(const std::string& glyph, uint64_t code);
  // The mask, whose maker padded its rows for the blend, kept under the
  // key; the caches emptied first when full.
  const CoverageView* Keep(uint64_t key, const CoverageMask& mask);
  // The coverage laid down with its point at (x, y).
  void LayMask(const Ink& ink, const CoverageView& mask, int32_t x, int32_t y);

  std::unique_ptr<GlyphSource> source_;
  std::unordered_map<std::string, Face> faces_;
  std::string faceKey_;  // the key of the face last taken
  Face* face_ = nullptr;
  LogFont faceFont_;  // the font face_ was taken for
  int32_t escapement_ = 0;
  // For half-width and full-width cells of the face: how many steps a whole
  // turn has (0: drawn straight) and the step of the font's turn.
  int turnSteps_[2] = {0, 0};
  int turnStep_[2] = {0, 0};
  int nextFaceId_ = 0;
  // By MaskKey: face, step of the turn and the glyph.
  MaskCache masks_;
  size_t maskBytes_ = 0;
  // By MaskKey with no turn.
  std::unordered_map<uint64_t, FlatOutline> outlines_;
  // A glyph's coverage as filled, before it is kept or laid: its memory is
  // used again.
  CoverageMask glyphFill_;
};
