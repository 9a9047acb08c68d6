// The text chain: record -> marked text -> runs -> glyphs.
#include "text/textdraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

#include "common/myfunc.h"
#include "common/sjis.h"
#include "preview/blockboxes.h"
#include "preview/clipping.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"
#include "text/controlcodes.h"
#include "text/imageref.h"
#include "text/textvars.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The offset of the start point from the anchor point, as fractions of the
// text's length L and height K, for the anchor codes 0..8.
constexpr double kAnchorOffset[9][2] = {
    {0, 0}, {-0.5, 0}, {-1, 0}, {0, -0.5}, {-0.5, -0.5}, {-1, -0.5}, {0, -1}, {-0.5, -1}, {-1, -1},
};

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

// The byte length of the character at i: 2 for a lead byte with a byte
// after it, else 1.
size_t CharLength(std::string_view t, size_t i) {
  return LeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

// Half-width units of every character but the last: 1 per half-width
// character, 2 per full-width one.
int UnitsBeforeLast(std::string_view t) {
  int units = 0;
  int last = 0;
  for (size_t i = 0; i < t.size(); i += CharLength(t, i)) {
    units += last;
    last = static_cast<int>(CharLength(t, i));
  }
  return units;
}

// A square about the point that holds every glyph of a text of the span and
// height, wherever its anchor and direction put it.
TCullBox TextSquare(double x, double y, double span, double height) {
  const double reach = 2 * (std::abs(span) + std::abs(height));
  return {x - reach, y - reach, x + reach, y + reach};
}

// A square that holds every glyph of a run of the bytes written from
// (x, y): at most one advance per byte, a cell either way.
TCullBox RunSquare(double x, double y, size_t bytes, double cellHeight, double cellWidth,
                   double spacing) {
  const double span = static_cast<double>(bytes) * std::abs(cellWidth + spacing) / 2;
  return TextSquare(x, y, span + std::abs(cellWidth), cellHeight);
}

// A face name beginning "@@" turns the run half a turn, which moves its
// start by a cell along and a cell down; true when it does.
bool TurnHalf(std::string_view faceName, double angle, double cellHeight, double cellWidth,
              double& x, double& y) {
  if (!faceName.starts_with("@@")) return false;
  x += std::abs(cellWidth) * std::cos(angle) + std::abs(cellHeight) * std::cos(angle - kPi / 2);
  y += std::abs(cellWidth) * std::sin(angle) + std::abs(cellHeight) * std::sin(angle - kPi / 2);
  return true;
}

// What the end of a text says about its drawing: the trailing marks and the
// gap sum of every character but the last.
struct TTextMarks {
  double G = 0.0;
  bool FinalHalfDot = false;
  int K = 0;  // trailing full-width middle dots
  int N = 0;  // squeeze digit
};

TTextMarks ScanMarks(std::string_view t, double spacing) {
  static const std::string kFullDot = Sjis("・");
  TTextMarks m;
  bool armed = false;
  for (size_t i = 0; i < t.size();) {
    const size_t n = CharLength(t, i);
    const std::string_view c = t.substr(i, n);
    const bool last = i + n >= t.size();
    if (!last) m.G += n == 1 ? spacing / 2 : spacing;
    if (last && c == "\xA5") {
      m.FinalHalfDot = true;
    } else if (c == kFullDot) {
      // A digit after the dot no longer follows its "^": no squeeze mark.
      ++m.K;
      armed = false;
    } else if (c == "^") {
      m.N = 0;
      armed = true;
    } else if (armed && c[0] >= '1' && c[0] <= '9') {
      m.N = c[0] - '0';
      armed = false;
    } else {
      m.K = 0;
      m.N = 0;
      armed = false;
    }
    i += n;
  }
  return m;
}

// The run a marked text is drawn as, once its marks are resolved: where
// and which way it starts, its cell and spacing, and the text left.
struct TMarkedRun {
  double X, Y, Angle;
  double CellHeight, CellWidth, Spacing;
  std::string_view Text;
};

// Resolves a negative width and the spread and squeeze marks at the end of
// a text that is not empty.
TMarkedRun ResolveMarks(double x1, double y1, double x2, double y2, double cellHeight,
                        double cellWidth, double spacing, std::string_view text) {
  double angle = DirectionRad(x2 - x1, y2 - y1);
  if (cellWidth < 0) {
    cellWidth = -cellWidth;
    spacing = -spacing;
    angle += kPi;
    ExchangeDoubles(x1, x2);
    ExchangeDoubles(y1, y2);
  }
  TTextMarks m = ScanMarks(text, spacing);
  if (m.FinalHalfDot) {
    text.remove_suffix(1);
    const int u = UnitsBeforeLast(text);
    if (u > 0) {
      spacing = 2 * (cellWidth / 2 + m.G) / u;
      m.G = cellWidth / 2 + m.G;
    }
  }
  if (m.K > 0) {
    text.remove_suffix(std::min(text.size(), static_cast<size_t>(2 * m.K)));
    const int u = UnitsBeforeLast(text);
    if (u > 0) spacing = 2 * (m.K * cellWidth + m.G) / u;
  }
  if (m.N > 0) {
    text.remove_suffix(std::min<size_t>(text.size(), 2));
    const double b = static_cast<double>(text.size());
    if (b - m.N >= 2) {
      cellWidth *= (b - m.N) / b;
      spacing *= (b - m.N) / b;
    }
  }
  return {x1, y1, angle, cellHeight, cellWidth, spacing, text};
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

namespace {

// Only a text that begins with a variable's prefix can name one.
bool MaybeVariable(const std::string& text) {
  return !text.empty() && std::string_view("$&%_=").find(text[0]) != std::string_view::npos;
}

// What DrawTextEntity makes of a record before the text itself is read: the
// start point after the anchor, the point the direction gives, and the cell.
struct TTextPlacement {
  double X1, Y1, X2, Y2;
  double CellHeight, CellWidth;
};

TTextPlacement PlaceText(const TJwwEntText& record) {
  const double s = PreviewDivisor(record.Head);
  double l = TextSpan(record.Text, record.Width, record.Spacing);
  double k = record.Height;
  const bool vertical = record.TextCmd == 1;
  if (vertical) std::swap(l, k);
  const int anchor = record.TextAnchor >= 1 && record.TextAnchor <= 8 ? record.TextAnchor : 0;
  const double ox = kAnchorOffset[anchor][0] * l;
  const double oy = kAnchorOffset[anchor][1] * k;
  TTextPlacement p;
  p.X1 = record.X / s;
  p.Y1 = record.Y / s;
  // Anchor 0, most texts of a drawing, starts at the point: no turn to work
  // out, and the C runtime's trigonometry is dear on some platforms.
  if (ox != 0 || oy != 0) {
    const double a = DirectionRad(record.DX, record.DY);
    p.X1 += RotateX(ox, oy, 0, 0, a);
    p.Y1 += RotateY(ox, oy, 0, 0, a);
  }
  p.X2 = p.X1 + record.DX / s;
  p.Y2 = p.Y1 + record.DY / s;
  p.CellHeight = vertical ? record.Width : record.Height;
  p.CellWidth = vertical ? record.Height : record.Width;
  return p;
}

// A square that holds every glyph cell the text can draw, about the point
// its glyphs are written from: the start point, or the end point for a
// negative cell width. Whatever the marks and control codes make of them,
// the pen moves at most a cell and a spacing per two bytes before the last
// glyph (spread marks only share out the length the marks had), a code
// shifts a glyph by at most a cell and a spacing, a half turn by a cell,
// and a cell reaches its width and height from where it starts.
TCullBox GlyphCells(const TTextPlacement& p, size_t bytes, double spacing) {
  const bool back = p.CellWidth < 0;
  const double x = back ? p.X2 : p.X1;
  const double y = back ? p.Y2 : p.Y1;
  const double across = std::abs(p.CellWidth) + std::abs(spacing);
  const double reach = (static_cast<double>(bytes) / 2 + 3) * across + 3 * std::abs(p.CellHeight);
  return {x - reach, y - reach, x + reach, y + reach};
}

// The face name of a record: its own, after an "@" for vertical writing.
std::string FaceOf(const TJwwEntText& record) {
  return record.TextCmd == 1 ? "@" + record.FontName : record.FontName;
}

// The box of a text that may name a variable: the square of the run its
// value is drawn as, written as long as the value can be (MostValueBytes),
// so a value longer than the name is still drawn where it reaches into the
// view. A text that names none is culled as any other.
TCullBox VariableBox(const TJwwEntText& record, const TTextPlacement& p) {
  const TMarkedRun run =
      ResolveMarks(p.X1, p.Y1, p.X2, p.Y2, p.CellHeight, p.CellWidth, record.Spacing, record.Text);
  const std::optional<size_t> bytes = MostValueBytes(run.Text);
  if (!bytes) return GlyphCells(p, record.Text.size(), record.Spacing);
  if (*bytes == kAnyValueBytes) return kUnboundedBox;
  double x = run.X;
  double y = run.Y;
  TurnHalf(FaceOf(record), run.Angle, run.CellHeight, run.CellWidth, x, y);
  return RunSquare(x, y, *bytes, run.CellHeight, run.CellWidth, run.Spacing);
}

TCullBox PlacedTextBox(const TJwwEntText& record, const TTextPlacement& p) {
  if (MaybeVariable(record.Text)) return VariableBox(record, p);
  return GlyphCells(p, record.Text.size(), record.Spacing);
}

}  // namespace

TCullBox TextEntityBox(const TJwwEntText& record) {
  if (IsImageRef(record.Text)) return kUnboundedBox;
  return PlacedTextBox(record, PlaceText(record));
}

void DrawTextEntity(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride) {
  if (IsImageRef(record.Text)) return;
  const TTextPlacement p = PlaceText(record);
  if (OutsideView(PlacedTextBox(record, p))) return;
  SetEntityPen(canvas, FlatLayer(record.Head), record.Head.Color, 1);
  if (colorOverride >= 0) {
    SetPenColor(canvas, static_cast<TColor>(colorOverride));
    canvas.SetTextColor(static_cast<TColor>(colorOverride));
  }
  DrawMarkedText(canvas, 0, FaceOf(record), p.X1, p.Y1, p.X2, p.Y2, p.CellHeight, p.CellWidth,
                 record.Spacing, record.Text);
}

void DrawMarkedText(Canvas& canvas, int32_t style, std::string_view faceName, double x1, double y1,
                    double x2, double y2, double cellHeight, double cellWidth, double spacing,
                    std::string_view text) {
  if (text.empty()) return;
  const TMarkedRun r = ResolveMarks(x1, y1, x2, y2, cellHeight, cellWidth, spacing, text);
  std::string value;
  if (ExpandTextVariable(r.Text, value)) {
    DrawTextRun(canvas, style, faceName, r.X, r.Y, r.Angle, r.CellHeight, r.CellWidth, r.Spacing,
                value);
  } else if (r.Text.find('^') == std::string_view::npos) {
    DrawTextRun(canvas, style, faceName, r.X, r.Y, r.Angle, r.CellHeight, r.CellWidth, r.Spacing,
                r.Text);
  } else {
    DrawControlledText(canvas, style, faceName, r.X, r.Y, r.Angle, r.CellHeight, r.CellWidth,
                       r.Spacing, r.Text);
  }
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
