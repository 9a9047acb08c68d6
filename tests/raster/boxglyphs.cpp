// Box glyphs: a frame, a bar and the face's lines, from the font record alone.
#include "tests/raster/boxglyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxCell = 16384;

class BoxGlyphFace : public GlyphFace {
 public:
  explicit BoxGlyphFace(const LogFont& font)
      : vertical_(font.FaceName.starts_with('@')),
        bold_(font.Weight >= 700),
        slant_(font.Italic ? 0.25 : 0.0) {
    const int64_t height = std::abs(static_cast<int64_t>(font.Height));
    Visible = height > 0 && height <= kMaxCell;
    CellHeight = static_cast<int>(std::clamp<int64_t>(height, 1, kMaxCell));
    const int64_t width = std::abs(static_cast<int64_t>(font.Width));
    HalfWidth =
        width != 0 ? static_cast<int>(std::min<int64_t>(width, kMaxCell)) : (CellHeight + 1) / 2;
    Outlined = true;
    for (const char c : font.FaceName) name_ = name_ * 31 + static_cast<unsigned char>(c);
    const int thickness = std::max(1, CellHeight / 16);
    const int ascent = CellHeight * 4 / 5;
    if (font.Underline) Bars.push_back(TextBar(ascent, -thickness, thickness));
    if (font.StrikeOut) Bars.push_back(TextBar(ascent, CellHeight / 3, thickness));
  }

  Affine InCell(bool fullWidth) const override {
    return vertical_ && fullWidth ? VerticalInCell(2.0 * HalfWidth, CellHeight) : Affine{};
  }

  // The box: a frame inset in the cell, its hole wound the other way, and a
  // bar across the hole at a height the glyph and the face name choose.
  FlatOutline Outline(const std::string& glyph) override {
    const double advance = glyph.size() > 1 ? 2.0 * HalfWidth : HalfWidth;
    const double h = CellHeight;
    const double stroke = std::max(1.0, h / 10) * (bold_ ? 2 : 1);
    const double x0 = advance * 0.1, x1 = advance * 0.9;
    const double y0 = h * 0.15, y1 = h * 0.85;
    unsigned code = name_;
    for (const char c : glyph) code = code * 131 + static_cast<unsigned char>(c);
    const double bar = y0 + (y1 - y0) * ((code % 5) + 1) / 6.0;
    OutlineBuilder b;
    const auto rect = [&](double l, double t, double r, double u, bool reversed) {
      const PointF corners[4] = {{l, t}, {r, t}, {r, u}, {l, u}};
      b.MoveTo(Slanted(corners[0]));
      for (int i = 1; i < 4; ++i) b.LineTo(Slanted(corners[reversed ? 4 - i : i]));
    };
    rect(x0, y0, x1, y1, false);
    if (x1 - x0 > 2 * stroke && y1 - y0 > 2 * stroke) {
      rect(x0 + stroke, y0 + stroke, x1 - stroke, y1 - stroke, true);
      rect(x0 + stroke, bar - stroke / 2, x1 - stroke, bar + stroke / 2, false);
    }
    return b.Take();
  }

 private:
  PointF Slanted(PointF p) const { return {p.x + slant_ * (CellHeight - p.y), p.y}; }

  bool vertical_;
  bool bold_;
  double slant_;
  unsigned name_ = 0;
};

}  // namespace

std::unique_ptr<GlyphFace> BoxGlyphSource::MakeFace(const LogFont& font) {
  return std::make_unique<BoxGlyphFace>(font);
}

std::unique_ptr<GlyphSource> BoxGlyphSource::MakeAnother() const {
  return std::make_unique<BoxGlyphSource>();
}
