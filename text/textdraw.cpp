// The text chain: record -> marked text -> runs -> glyphs.
#include "text/textdraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

#include "common/geometry.h"
#include "common/sjis.h"
#include "common/sjischars.h"
#include "preview/blockboxes.h"
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
