// The glyph painter: faces taken once per font record, glyphs' coverage kept
// per face, turn and glyph, and laid into the pixels.
#include "raster/glyphpainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

// Bounds of the caches; a drawing with more clears them and starts again.
constexpr size_t kMaxFaces = 4096;
constexpr size_t kMaxMaskBytes = size_t{64} << 20;
// A glyph reaching further than this from its point is drawn straight
// instead: few of them fit on a canvas, and their coverage would be large.
constexpr double kMaxMaskReach = 96.0;
// Kept masks' rows are padded to whole groups of this many pixels, which
// the blend lays at a time: a glyph's rows are short, and a pixel-by-pixel
// tail on each would cost as much as the rest.
constexpr int kBlendQuantum = 4;
constexpr double kPi = std::numbers::pi;

// Twice the signed area of the points taken as a closed contour: its sign
// says which way round it runs.
double TwiceArea(const PointF* points, size_t count) {
  double area = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const PointF& a = points[i];
    const PointF& b = points[i + 1 < count ? i + 1 : 0];
    area += a.x * b.y - b.x * a.y;
  }
  return area;
}

// The face's bars added to a glyph's outline, each as a contour running the
// way the glyph's own run, so that under the nonzero rule they add ink and
// never cut it away. They lie along the run: the fill maps the outline
// through InCell, so they go in through its inverse.
void AddBars(const GlyphFace& face, bool fullWidth, FlatOutline& outline) {
  if (face.Bars.empty()) return;
  // Outer contours outweigh the holes within them.
  double glyphArea = 0.0;
  uint32_t begin = 0;
  for (uint32_t end : outline.ContourEnds) {
    glyphArea += TwiceArea(outline.Points.data() + begin, end - begin);
    begin = end;
  }
  const Affine in = face.InCell(fullWidth);
  const double det = in.m11 * in.m22 - in.m12 * in.m21;
  if (det == 0) return;
  const auto back = [&](PointF p) {
    const double x = p.x - in.dx, y = p.y - in.dy;
    return PointF{(in.m22 * x - in.m21 * y) / det, (in.m11 * y - in.m12 * x) / det};
  };
  const double advance = fullWidth ? 2.0 * face.HalfWidth : face.HalfWidth;
  for (const GlyphFace::Bar& bar : face.Bars) {
    const double bottom = bar.Top + bar.Height;
    PointF corners[] = {back({0, bar.Top}), back({advance, bar.Top}), back({advance, bottom}),
                        back({0, bottom})};
    if ((TwiceArea(corners, 4) < 0) != (glyphArea < 0)) std::reverse(corners, corners + 4);
    outline.Points.insert(outline.Points.end(), corners, corners + 4);
    outline.ContourEnds.push_back(static_cast<uint32_t>(outline.Points.size()));
  }
}

// A glyph of one or two bytes as the low bits of a cache key: its bytes
// and their count.
uint64_t GlyphCode(const std::string& glyph) {
  uint64_t code = 0;
  for (unsigned char b : glyph) code = (code << 8) | b;
  return code | static_cast<uint64_t>(glyph.size()) << 16;
}

// The pixels of a buffer of the size that an outline under the transform
// can touch: its box's corners mapped, rounded outwards and cut to the
// buffer; none when it touches none.
struct PixelBox {
  int Left, Top, Right, Bottom;  // right and bottom left out
};
std::optional<PixelBox> MappedReach(const FlatOutline& outline, const Affine& t, int width,
                                    int height) {
  if (outline.Points.empty()) return std::nullopt;
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (const PointF& p : outline.Points) {
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const PointF corner : {PointF{x0, y0}, PointF{x1, y0}, PointF{x0, y1}, PointF{x1, y1}}) {
    const PointF q = t.Map(corner);
    left = std::min(left, q.x);
    top = std::min(top, q.y);
    right = std::max(right, q.x);
    bottom = std::max(bottom, q.y);
  }
  // NaN fails every comparison and so falls out here too.
  if (!(left < width && top < height && right > 0 && bottom > 0)) return std::nullopt;
  return PixelBox{static_cast<int>(std::max(std::floor(left), 0.0)),
                  static_cast<int>(std::max(std::floor(top), 0.0)),
                  static_cast<int>(std::min(std::ceil(right), double(width))),
                  static_cast<int>(std::min(std::ceil(bottom), double(height)))};
}

}  // namespace

GlyphPainter::GlyphPainter(std::unique_ptr<GlyphSource> source) : source_(std::move(source)) {}

GlyphPainter::~GlyphPainter() = default;

void GlyphPainter::SetFont(const LogFont& font) {
  // The turn is not part of the face: a drawing of texts at countless angles
  // still has only a few faces.
  escapement_ = static_cast<int32_t>(font.Escapement % 3600);
  if (escapement_ < 0) escapement_ += 3600;
  // Runs one after another mostly keep their face and turn only.
  if (face_ == nullptr || !SameFace(font, faceFont_)) TakeFace(font);
  const GlyphFace& face = *face_->Glyphs;
  // Steps of the turn that move no corner of a cell by a pixel, a multiple
  // of four so quarter turns are exact; none for a cell too big to keep.
  for (int full = 0; full < 2; ++full) {
    const double advance = full != 0 ? 2.0 * face.HalfWidth : face.HalfWidth;
    const double reach = std::hypot(advance, static_cast<double>(face.CellHeight));
    const int steps =
        reach > kMaxMaskReach ? 0 : 4 * std::max(1, static_cast<int>(std::ceil(kPi * reach / 2)));
    turnSteps_[full] = steps;
    turnStep_[full] =
        steps == 0 ? 0 : static_cast<int>(std::lround(escapement_ / 3600.0 * steps)) % steps;
  }
}

bool GlyphPainter::SameFace(const LogFont& a, const LogFont& b) {
  return a.Height == b.Height && a.Width == b.Width && a.Weight == b.Weight &&
         a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut &&
         a.FaceName == b.FaceName;
}

void GlyphPainter::TakeFace(const LogFont& font) {
  // Faces change from run to run: the key's memory is kept.
  std::string& key = faceKey_;
  key.clear();
  for (int32_t v : {font.Height, font.Width, font.Weight}) {
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  key += static_cast<char>((font.Italic ? 1 : 0) | (font.Underline ? 2 : 0) |
                           (font.StrikeOut ? 4 : 0));
  key += font.FaceName;
  auto it = faces_.find(key);
  if (it == faces_.end()) {
    // A drawing of countless sizes must not grow the cache without bound.
    if (faces_.size() >= kMaxFaces) {
      faces_.clear();
      masks_.Clear();
      outlines_.clear();
      maskBytes_ = 0;
    }
    LogFont upright = font;
    upright.Escapement = 0;
    upright.Orientation = 0;
    it = faces_.emplace(key, Face{nextFaceId_++, source_->MakeFace(upright)}).first;
  }
  face_ = &it->second;
  faceFont_ = font;
}

Affine GlyphPainter::CellTransform(bool fullWidth, double degrees) const {
  return face_->Glyphs->InCell(fullWidth).Then(Affine::Rotation(-degrees));
}

void GlyphPainter::DrawGlyphDirect(const Ink& ink, int32_t x, int32_t y, const std::string& glyph,
                                   bool fullWidth) {
  // Cut to the buffer, in bands a few rows tall: a glyph that large may
  // cover the whole buffer, and one fill's working memory is its piece's.
  const Affine cell = CellTransform(fullWidth, escapement_ / 10.0).Then(Affine::Translation(x, y));
  // A glyph's outline is kept as a turned one's is: zoomed in, the same
  // large glyphs come again at every redraw.
  FlatOutline fresh;
  if (glyph.size() > 2) {
    fresh = face_->Glyphs->Outline(glyph);
    AddBars(*face_->Glyphs, fullWidth, fresh);
  }
  const FlatOutline& outline = glyph.size() > 2 ? fresh : GlyphOutline(glyph, GlyphCode(glyph));
  constexpr int kBandWidth = kMaxCoverageSide / 2;
  constexpr int kBandHeight = 128;
  const std::optional<PixelBox> reach =
      MappedReach(outline, cell, ink.Pixels.Width, ink.Pixels.Height);
  if (!reach) return;
  for (int top = reach->Top - reach->Top % kBandHeight; top < reach->Bottom; top += kBandHeight) {
    for (int left = reach->Left - reach->Left % kBandWidth; left < reach->Right;
         left += kBandWidth) {
      const CoverageClip clip{left, top, std::min(left + kBandWidth, ink.Pixels.Width),
                              std::min(top + kBandHeight, ink.Pixels.Height)};
      FillCoverage(outline, cell, 1, &clip, glyphFill_);
      if (!glyphFill_.Alpha.empty()) LayMask(ink, glyphFill_.View(), 0, 0);
    }
  }
}

const FlatOutline& GlyphPainter::GlyphOutline(const std::string& glyph, uint64_t code) {
  const uint64_t key = MaskKey(face_->Id, 0, code);
  auto it = outlines_.find(key);
  if (it != outlines_.end()) return it->second;
  FlatOutline outline = face_->Glyphs->Outline(glyph);
  AddBars(*face_->Glyphs, glyph.size() > 1, outline);
  maskBytes_ += outline.Points.size() * sizeof(PointF);
  return outlines_.emplace(key, std::move(outline)).first->second;
}

const CoverageView* GlyphPainter::Keep(uint64_t key, const CoverageMask& mask) {
  if (maskBytes_ + mask.Alpha.size() > kMaxMaskBytes) {
    masks_.Clear();
    outlines_.clear();
    maskBytes_ = 0;
  }
  maskBytes_ += mask.Alpha.size() + sizeof(CoverageView);
  return masks_.Insert(key, mask);
}

const CoverageView* GlyphPainter::Mask(const std::string& glyph, bool fullWidth) {
  const int steps = turnSteps_[fullWidth ? 1 : 0];
  if (steps == 0 || glyph.size() > 2) return nullptr;
  const int step = turnStep_[fullWidth ? 1 : 0];
  const uint64_t code = GlyphCode(glyph);
  const auto keyAt = [this, code](int at) { return MaskKey(face_->Id, at, code); };
  const uint64_t key = keyAt(step);
  if (const CoverageView* kept = masks_.Find(key)) return kept;

  const double degrees = 360.0 * step / steps;
  const int quarter = steps / 4;
  GlyphFace& face = *face_->Glyphs;
  // At quarter turns a font engine's hinting still lines strokes up with
  // the pixels, and upright and vertical texts are most of any drawing. A
  // face without an outline for every turn (slanted or decorated) is left
  // to its engine at every turn. A face with bars is filled at every turn,
  // its bars with the glyph.
  if (!face.Outlined || (step % quarter == 0 && face.Bars.empty())) {
    CoverageMask mask;
    if (face.Coverage(glyph, CellTransform(fullWidth, degrees), kBlendQuantum, mask)) {
      return Keep(key, mask);
    }
  }
  // The turn comes last in the cell's transform and the pixel grid turns
  // onto itself, so a step whole quarter turns from a kept one is that
  // one's coverage turned: one fill serves four steps.
  for (int turns = 1; turns < 4; ++turns) {
    const int from = (step + (4 - turns) * quarter) % steps;
    if (const CoverageView* kept = masks_.Find(keyAt(from))) {
      return Keep(key, QuarterTurned(*kept, turns, kBlendQuantum));
    }
  }
  FillCoverage(GlyphOutline(glyph, code), CellTransform(fullWidth, degrees), kBlendQuantum, nullptr,
               glyphFill_);
  return Keep(key, glyphFill_);
}

void GlyphPainter::LayMask(const Ink& ink, const CoverageView& mask, int32_t x, int32_t y) {
  const PixelBuffer& px = ink.Pixels;
  const int64_t left = static_cast<int64_t>(x) + mask.Left;
  const int64_t top = static_cast<int64_t>(y) + mask.Top;
  const int64_t x0 = std::max<int64_t>(left, 0);
  const int64_t x1 = std::min<int64_t>(left + mask.Width, px.Width);
  const int64_t y0 = std::max<int64_t>(top, 0);
  const int64_t y1 = std::min<int64_t>(top + mask.Height, px.Height);
  if (x0 >= x1) return;
  const uint32_t color = ink.Argb;
  const auto lay = ink.Beneath ? BlendCoverageRowUnder : BlendCoverageRow;
  // The glyph's rows lie a canvas row apart, each on lines of its own: asked
  // for all at once, their fetches overlap instead of waiting in turn.
  for (int64_t row = y0; row < y1; ++row) {
    const uint32_t* pixels = px.Bits + row * px.Stride;
    __builtin_prefetch(pixels + x0, 1);
    __builtin_prefetch(pixels + x1 - 1, 1);
  }
  for (int64_t row = y0; row < y1; ++row) {
    const uint8_t* a = mask.Alpha + (row - top) * mask.Width + (x0 - left);
    lay(px.Bits + row * px.Stride + x0, a, static_cast<size_t>(x1 - x0), color);
  }
}

void GlyphPainter::Paint(const PixelBuffer& pixels, int32_t x, int32_t y, const std::string& glyph,
                         uint32_t argb, bool beneath) {
  const bool fullWidth = glyph.size() > 1;
  const Ink ink{pixels, argb, beneath};
  if (const CoverageView* mask = Mask(glyph, fullWidth)) {
    LayMask(ink, *mask, x, y);
  } else {
    DrawGlyphDirect(ink, x, y, glyph, fullWidth);
  }
}

std::array<PointF, 4> GlyphPainter::Cell(int32_t x, int32_t y, bool fullWidth) const {
  const GlyphFace& face = *face_->Glyphs;
  const double advance = fullWidth ? 2.0 * face.HalfWidth : face.HalfWidth;
  const Affine cell = CellTransform(fullWidth, escapement_ / 10.0).Then(Affine::Translation(x, y));
  return {cell.Map({0, 0}), cell.Map({advance, 0}), cell.Map({advance, double(face.CellHeight)}),
          cell.Map({0, double(face.CellHeight)})};
}
