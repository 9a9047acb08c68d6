// A run of glyphs in one font: the font record, the run's cull, and each
// glyph out at its cell's top-left pixel when a corner of the cell is in
// view.
#include "text/textrun.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "common/sjischars.h"
#include "preview/clipping.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The nearest integer, halves to the even neighbour, held in 32-bit range.
// Adding and taking away 1.5 * 2^52 leaves a value this small rounded by
// the processor's own rule, to nearest with halves to even, as nearbyint
// rounds it: some C runtimes' nearbyint switches the x87 unit's rounding
// mode at every call, and a redraw makes two calls a glyph.
int32_t Nearest(double v, double limit = 2147483520.0) {
  if (std::isnan(v)) return 0;
  constexpr double kRounder = 0x1.8p52;
  return static_cast<int32_t>((std::clamp(v, -limit, limit) + kRounder) - kRounder);
}

// A square about the point that holds every glyph of a text of the span and
// height, wherever its anchor and direction put it.
TCullBox TextSquare(double x, double y, double span, double height) {
  const double reach = 2 * (std::abs(span) + std::abs(height));
  return {x - reach, y - reach, x + reach, y + reach};
}

// DrawGlyph with the writing direction as its unit vector (ux, uy), which a
// run works out once for all its glyphs.
void GlyphAt(Canvas& canvas, std::string_view glyph, double ux, double uy, double cellWidth,
             double cellHeight, double x, double y) {
  if (glyph.empty()) return;
  const double h = std::abs(cellHeight);
  const double offset = cellHeight < 0 ? 0.0 : h;
  const double cw = glyph.size() == 1 ? std::abs(cellWidth) / 2 : std::abs(cellWidth);
  // Up the cell is (-uy, ux), down it (uy, -ux).
  const double p0x = x - offset * uy;
  const double p0y = y + offset * ux;
  const double corners[4][2] = {{p0x, p0y},
                                {p0x + cw * ux, p0y + cw * uy},
                                {p0x + h * uy, p0y - h * ux},
                                {p0x + cw * ux + h * uy, p0y + cw * uy - h * ux}};
  const TGval& v = Gval;
  bool visible = false;
  for (const auto& c : corners) {
    visible =
        visible || PointVisible(c[0], c[1], v.ViewMinX, v.ViewMinY, v.ViewMaxX, v.ViewMaxY) == 0;
  }
  if (!visible) return;
  const double limit = kScreenLimit;
  const int32_t sx = Nearest(ScaledX(p0x), limit);
  const int32_t sy = v.ViewHeight - Nearest(ScaledY(p0y), limit);
  canvas.TextOut(sx, sy, std::string(glyph));
}

}  // namespace

TCullBox RunSquare(double x, double y, size_t bytes, double cellHeight, double cellWidth,
                   double spacing) {
  const double span = static_cast<double>(bytes) * std::abs(cellWidth + spacing) / 2;
  return TextSquare(x, y, span + std::abs(cellWidth), cellHeight);
}

bool TurnHalf(std::string_view faceName, double angle, double cellHeight, double cellWidth,
              double& x, double& y) {
  if (!faceName.starts_with("@@")) return false;
  x += std::abs(cellWidth) * std::cos(angle) + std::abs(cellHeight) * std::cos(angle - kPi / 2);
  y += std::abs(cellWidth) * std::sin(angle) + std::abs(cellHeight) * std::sin(angle - kPi / 2);
  return true;
}

LogFont RunFont(int32_t style, std::string_view faceName, double angle, double cellHeight,
                double cellWidth) {
  const double scale = Gval.ViewScale;
  LogFont font;
  font.Height = Nearest(std::abs(cellHeight) * scale);
  font.Width = Nearest(std::abs(cellWidth) * scale / 2);
  font.Escapement = Nearest(angle / kPi * 1800, 1e9);
  font.Weight = (style & kStyleBold) != 0 ? 700 : 400;
  font.Italic = (style & kStyleItalic) != 0;
  font.Underline = (style & kStyleUnderline) != 0;
  font.StrikeOut = (style & kStyleStrikeOut) != 0;
  font.FaceName = LeadingBytes(faceName, 31);
  return font;
}

void DrawTextRun(Canvas& canvas, int32_t style, std::string_view faceName, double x, double y,
                 double angle, double cellHeight, double cellWidth, double spacing,
                 std::string_view text) {
  const bool halfTurn = TurnHalf(faceName, angle, cellHeight, cellWidth, x, y);
  if (halfTurn) faceName.remove_prefix(2);
  if (OutsideView(RunSquare(x, y, text.size(), cellHeight, cellWidth, spacing))) return;
  LogFont font = RunFont(style, faceName, angle, cellHeight, cellWidth);
  if (halfTurn) {
    font.Escapement += 1800;
    if (font.Escapement >= 3600) font.Escapement -= 3600;
  }
  canvas.SetFont(font);
  canvas.SetTextColor(canvas.GetPen().Color);
  SetPlainBrush(canvas, canvas.GetBrush().Color, 0);
  // A horizontal run, as most are, needs no library call: exact either way.
  const double ux = angle == 0 ? 1.0 : std::cos(angle);
  const double uy = angle == 0 ? 0.0 : std::sin(angle);
  for (size_t i = 0; i < text.size();) {
    const size_t n = CharLength(text, i);
    // A lead byte with nothing after it is no character.
    if (n == 1 && LeadByte(static_cast<unsigned char>(text[i]))) break;
    GlyphAt(canvas, text.substr(i, n), ux, uy, cellWidth, cellHeight, x, y);
    const double advance = n == 1 ? (cellWidth + spacing) / 2 : cellWidth + spacing;
    x += advance * ux;
    y += advance * uy;
    i += n;
  }
}

void DrawGlyph(Canvas& canvas, std::string_view glyph, double angle, double cellWidth,
               double cellHeight, double x, double y) {
  GlyphAt(canvas, glyph, std::cos(angle), std::sin(angle), cellWidth, cellHeight, x, y);
}
