// The command writer: output queue, attribute commands with their on-change
// rule, entity commands with their degenerate cases, and the command group of
// each entity kind.
#include "exchange/writer.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "common/geometry.h"
#include "common/realformat.h"
#include "common/sjischars.h"

namespace {

// Coordinates and lengths closer than this are the same.
constexpr double kTiny = 1e-8;

constexpr int32_t kMaxRgb = 0xFFFFFF;
constexpr int32_t kMaxLineWidth = 30000;

// The text of a recently written number. Every corner of a drawing comes back
// in several commands (its marker, its label, the lines that meet there), so
// the writer formats each value once and copies it after that.
struct TRealText {
  uint64_t Bits;
  uint8_t Size;  // 0: empty entry
  char Text[31];
};

// The writer's scratch beside the store: the line under construction, reused
// so that a command costs no allocation beyond its queue entry, and the
// recently formatted numbers.
struct TWriterScratch {
  std::string Line;
  std::array<TRealText, 256> Numbers{};
};

TWriterScratch WriterScratch;

// Starts a command line with its keyword (empty for a plain line).
std::string& Begin(std::string_view keyword) {
  std::string& s = WriterScratch.Line;
  s.assign(keyword);
  return s;
}

void AppendRealCached(std::string& s, double v) {
  const auto bits = std::bit_cast<uint64_t>(v);
  TRealText& e = WriterScratch.Numbers[(bits * 0x9E3779B97F4A7C15u) >> 56];
  if (e.Size != 0 && e.Bits == bits) {
    s.append(e.Text, e.Size);
    return;
  }
  const size_t start = s.size();
  AppendReal(s, v);
  const size_t size = s.size() - start;
  if (size > sizeof e.Text) return;
  e.Bits = bits;
  e.Size = static_cast<uint8_t>(size);
  std::memcpy(e.Text, s.data() + start, size);
}

// Appends one number field, separated from what precedes it by one blank.
void Field(std::string& s, double v) {
  if (!s.empty()) s += ' ';
  AppendRealCached(s, v);
}

void IntField(std::string& s, int32_t v) {
  s += ' ';
  AppendInt(s, v);
}

void Fields(std::string& s, std::initializer_list<double> values) {
  for (double v : values) Field(s, v);
}

int32_t RgbValue(int32_t rgb) {
  return rgb >= 0 && rgb <= kMaxRgb ? rgb : 0;
}

int32_t LayerDigitValue(int32_t v) {
  return v >= 0 && v <= 15 ? v : 0;
}

enum class Digits { Decimal, Hex };

// The on-change rule shared by the single-number attribute commands; returns
// whether the command was queued.
bool QueueIfChanged(std::string_view keyword, int32_t value, Digits digits, int32_t& current,
                    bool& force) {
  if (!force && current == value) return false;
  std::string& s = Begin(keyword);
  if (digits == Digits::Hex) {
    s += "0123456789ABCDEF"[value];
  } else {
    AppendInt(s, value);
  }
  QueueLine(s);
  current = value;
  force = false;
  return true;
}

std::string_view TextKeyword(int32_t textCmd) {
  return textCmd >= 0 && textCmd <= 9 ? kTextKeywords[textCmd] : kTextKeywords[0];
}

// The keyword line of a text: start point, direction, a blank and the quote
// after which the host reads the text from the next queue line.
void QueueTextLine(std::string_view keyword, const TJwwEntText& t) {
  std::string& s = Begin(keyword);
  Fields(s, {t.X, t.Y, t.DX, t.DY});
  s += " \"";
  QueueLine(s);
}

// A blank dimension text is replaced by the length of the dimension line,
// brought to a multiple of 1e-8.
void QueueDimText(const TJwwEntDim& d) {
  if (!BlankText(d.Text.Text)) {
    QueueLine(d.Text.Text);
    return;
  }
  const TJwwEntLine& l = d.Line;
  const double length = PointDistance(l.X1, l.Y1, l.X2, l.Y2);
  std::string& s = Begin("");
  AppendReal(s, std::floor(length / kTiny + 0.5) * kTiny);
  QueueLine(s);
}

// The seven numbers every circular solid starts with; the caller adds the last.
std::string& SolidArcFields(const char* keyword, const TJwwEntSolidArc& s) {
  std::string& line = Begin(keyword);
  Fields(line, {s.CX, s.CY, s.R, s.Flatness, s.Tilt, s.Start, s.Sweep});
  return line;
}

bool RoundSolidDegenerate(const TJwwEntSolidArc& s) {
  return s.R <= kTiny || std::fabs(s.Flatness) <= kTiny;
}

// An entity with a coordinate, size or angle that is not a finite number has
// no shape the host could draw; like a degenerate one it is not sent.
bool AllFinite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool Finite(const TJwwEntLine& l) {
  return AllFinite({l.X1, l.Y1, l.X2, l.Y2});
}
bool Finite(const TJwwEntCircle& c) {
  return AllFinite({c.CX, c.CY, c.R});
}
bool Finite(const TJwwEntArc& a) {
  return AllFinite({a.CX, a.CY, a.R, a.StartAngle, a.EndAngle, a.Flatness, a.Tilt});
}
bool Finite(const TJwwEntText& t) {
  return AllFinite({t.X, t.Y, t.DX, t.DY, t.Width, t.Height, t.Spacing});
}
bool Finite(const TJwwEntPoint& p) {
  return AllFinite({p.X, p.Y});
}
bool Finite(const TJwwEntCodedPoint& p) {
  return AllFinite({p.X, p.Y, p.Scale, p.Angle});
}
bool Finite(const TJwwEntDim& d) {
  return Finite(d.Line) && Finite(d.Text);
}
bool Finite(const TJwwEntSolid2& s) {
  return AllFinite({s.X1, s.Y1, s.X2, s.Y2});
}
bool Finite(const TJwwEntSolid3& s) {
  return AllFinite({s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3});
}
bool Finite(const TJwwEntSolid4& s) {
  return AllFinite({s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3, s.X4, s.Y4});
}
bool Finite(const TJwwEntSolidArc& s) {
  return AllFinite({s.CX, s.CY, s.R, s.Flatness, s.Tilt, s.Start, s.Sweep, s.InnerR});
}

bool OneOf(int32_t v, std::initializer_list<int32_t> allowed) {
  for (int32_t a : allowed) {
    if (v == a) return true;
  }
  return false;
}

// Override resolution: -1 keeps the record's own value; for the layer group
// and layer anything outside 0..15 does.
int32_t Pick(int32_t override, int32_t own) {
  return override != -1 ? override : own;
}
int32_t PickLayer(int32_t override, int32_t own) {
  return override >= 0 && override <= 15 ? override : own;
}

// Colour 10 goes with its 24-bit value: the override's when the colour is
// overridden, else ownRgb.
int32_t RgbOf(int32_t ownRgb, const TWriteOverrides& o) {
  return o.Color == kOwnColorNumber ? o.ExplicitColor : ownRgb;
}

void QueueColor(const TJwwEntHead& h, int32_t ownRgb, const TWriteOverrides& o) {
  const int32_t color = Pick(o.Color, h.Color);
  if (color != kOwnColorNumber) {
    QueueLineColor(color);
  } else {
    QueueExplicitColor(RgbOf(ownRgb, o));
  }
}

// Shapes carry no 24-bit colour of their own: colour 10 on them is the one
// the host named with its first colour line, the only place it comes from.
int32_t HostRgb() {
  return JwwStore.Initial.ExplicitColor;
}

void QueueLayerOf(const TJwwEntHead& h, const TWriteOverrides& o) {
  QueueLayerGroup(PickLayer(o.Group, h.LayerGroup));
  QueueLayer(PickLayer(o.Layer, h.Layer));
}

void QueuePen(const TJwwEntHead& h, const TWriteOverrides& o) {
  QueueColor(h, HostRgb(), o);
  QueueLineType(Pick(o.LineType, h.LineType));
  QueueLineWidth(Pick(o.LineWidth, h.LineWidth));
}

// A colour override sends the text as a free-size text of its own size in
// the override colour.
void QueueTextAttributes(const TJwwEntText& t, const TWriteOverrides& o) {
  if (o.TextColor != -1) {
    QueueTextKind(0, o.TextColor, t.Width, t.Height, t.Spacing);
  } else {
    QueueTextKind(t.TextKind, t.Head.Color, t.Width, t.Height, t.Spacing);
  }
  QueueTextAnchor(Pick(o.TextAnchor, t.TextAnchor));
  QueueFont(t.FontName);
}

void QueueSolidAttributes(const TJwwEntHead& h, int32_t solidRgb, bool withWidth,
                          const TWriteOverrides& o) {
  QueueLayerOf(h, o);
  QueueColor(h, solidRgb, o);
  if (withWidth) QueueLineWidth(Pick(o.LineWidth, h.LineWidth));
  QueueZFlags(h.ZFlags);
}

template <class Solid>
void QueueSolidGroup(const Solid& s, bool withWidth, const TWriteOverrides& o) {
  if (!Finite(s)) return;
  QueueSolidAttributes(s.Head, s.SolidRGB, withWidth, o);
  QueueCommand(s);
}

void QueueSolidArcGroup(TJwwEntKind kind, const TJwwEntSolidArc& s, const TWriteOverrides& o) {
  if (!Finite(s)) return;
  QueueSolidAttributes(s.Head, s.SolidRGB, kind == ekSolidSe, o);
  QueueCommand(kind, s);
}

template <class Point>
void QueuePointGroup(const Point& p, const TWriteOverrides& o) {
  if (!Finite(p)) return;
  QueueLayerOf(p.Head, o);
  QueuePointColor(Pick(o.Color, p.Head.Color), RgbOf(HostRgb(), o));
  QueueLineWidth(Pick(o.LineWidth, p.Head.LineWidth));
  QueueZFlags(p.Head.ZFlags);
  QueueCommand(p);
}

template <class Shape>
void QueuePenGroup(const Shape& e, const TWriteOverrides& o) {
  if (!Finite(e)) return;
  QueueLayerOf(e.Head, o);
  QueuePen(e.Head, o);
  QueueZFlags(e.Head.ZFlags);
  QueueCommand(e);
}

// Whether order-index entry i is a line of the given polyline that is sent;
// a line left out breaks the polyline in two.
bool ContinuesPolyline(size_t i, int32_t polyId) {
  const TJwwStore& s = JwwStore;
  if (i >= s.Order.size() || s.Order[i].Kind != ekLine) return false;
  const TJwwEntLine& l = s.Lines[s.Order[i].Index];
  return l.PolyId == polyId && Finite(l);
}

void QueueLineGroup(size_t i, const TJwwEntLine& l, const TWriteOverrides& o,
                    int32_t& openPolyline) {
  if (!Finite(l)) return;
  QueueLayerOf(l.Head, o);
  QueuePen(l.Head, o);
  if (l.PolyId > 0 && l.PolyId != openPolyline) {
    QueueLine("pl");
    openPolyline = l.PolyId;
  }
  QueueZFlags(l.Head.ZFlags);
  QueueCommand(l);
  if (openPolyline != 0 && !ContinuesPolyline(i + 1, openPolyline)) {
    QueueLine("#");
    openPolyline = 0;
  }
}

void QueueTextGroup(const TJwwEntText& t, const TWriteOverrides& o) {
  if (!Finite(t)) return;
  QueueLayerOf(t.Head, o);
  QueueTextAttributes(t, o);
  QueueZFlags(t.Head.ZFlags);
  QueueCommand(t);
}

// A dimension takes its layer from its own header, its pen from its line and
// its text attributes from its text.
void QueueDimGroup(const TJwwEntDim& d, const TWriteOverrides& o) {
  if (!Finite(d)) return;
  QueueLayerOf(d.Head, o);
  QueuePen(d.Line.Head, o);
  QueueTextAttributes(d.Text, o);
  QueueZFlags(d.Head.ZFlags);
  QueueCommand(d);
}

// What the group of one order-index entry needs beside its record.
struct TGroupContext {
  size_t Index;
  const TWriteOverrides& Overrides;
  int32_t& OpenPolyline;
};

// The command group of each kind, chosen by the record's type.
void QueueGroup(TJwwEntKind, const TJwwEntLine& l, TGroupContext& c) {
  QueueLineGroup(c.Index, l, c.Overrides, c.OpenPolyline);
}
void QueueGroup(TJwwEntKind, const TJwwEntCircle& e, TGroupContext& c) {
  QueuePenGroup(e, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntArc& e, TGroupContext& c) {
  QueuePenGroup(e, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntText& t, TGroupContext& c) {
  QueueTextGroup(t, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntPoint& p, TGroupContext& c) {
  QueuePointGroup(p, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntCodedPoint& p, TGroupContext& c) {
  QueuePointGroup(p, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntDim& d, TGroupContext& c) {
  QueueDimGroup(d, c.Overrides);
}
// Blocks are the host's own and never sent back.
void QueueGroup(TJwwEntKind, const TJwwEntBlk&, TGroupContext&) {}
// Of the straight-edged solids only the two-point one sends a width.
void QueueGroup(TJwwEntKind, const TJwwEntSolid2& s, TGroupContext& c) {
  QueueSolidGroup(s, true, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntSolid3& s, TGroupContext& c) {
  QueueSolidGroup(s, false, c.Overrides);
}
void QueueGroup(TJwwEntKind, const TJwwEntSolid4& s, TGroupContext& c) {
  QueueSolidGroup(s, false, c.Overrides);
}
void QueueGroup(TJwwEntKind kind, const TJwwEntSolidArc& s, TGroupContext& c) {
  QueueSolidArcGroup(kind, s, c.Overrides);
}

}  // namespace

void QueueLine(std::string_view line) {
  JwwStore.Output.emplace_back() = LeadingBytes(line, kMaxLineBytes);
}

void QueueMessage(std::string_view text) {
  std::string& s = Begin("h#");
  s.append(text);
  QueueLine(s);
}

void ClearOutput() {
  JwwStore.Output.clear();
}

int32_t LineWidthValue(int32_t width) {
  if (width == -1) width = JwwStore.Initial.LineWidth;
  return width >= 0 && width <= kMaxLineWidth ? width : 0;
}

int32_t TextAnchorValue(int32_t anchor) {
  return anchor >= 0 && anchor <= 8 ? anchor : 0;
}

const std::string& FontNameValue(const std::string& name) {
  return name.empty() || name == "<>" ? JwwStore.Initial.FontName : name;
}

TTextKindValue TextKindValue(int32_t kind, int32_t color, double width, double height,
                             double spacing) {
  if (KnownTextKind(kind)) return {kind, color, width, height, spacing};
  const TJwwInitialAttributes& i = JwwStore.Initial;
  // The host's command defines no other kinds; one it named anyway is not
  // passed on.
  if (!KnownTextKind(i.TextKind)) return {kDefaultTextKind, color, width, height, spacing};
  if (i.TextKind != 0) return {i.TextKind, color, width, height, spacing};
  return {0, i.FreeColor, i.FreeWidth, i.FreeHeight, i.FreeSpacing};
}

void ApplyFreeSize(TJwwAttributes& a, const TTextKindValue& v) {
  a.FreeWidth = v.Width;
  a.FreeHeight = v.Height;
  a.FreeSpacing = v.Spacing;
  a.FreeColor = v.Color;
}

void QueueLayerGroup(int32_t group) {
  TJwwStore& s = JwwStore;
  if (QueueIfChanged("lg", LayerDigitValue(group), Digits::Hex, s.Current.LayerGroup,
                     s.Force.LayerGroup)) {
    s.Force.Layer = true;
  }
}

void QueueLayer(int32_t layer) {
  TJwwStore& s = JwwStore;
  QueueIfChanged("ly", LayerDigitValue(layer), Digits::Hex, s.Current.Layer, s.Force.Layer);
}

void QueueLineColor(int32_t color) {
  TJwwStore& s = JwwStore;
  if (QueueIfChanged("lc", color, Digits::Decimal, s.Current.LineColor, s.Force.LineColor)) {
    s.Force.ExplicitColor = false;
  }
}

void QueueExplicitColor(int32_t rgb) {
  rgb = RgbValue(rgb);
  TJwwAttributes& c = JwwStore.Current;
  TJwwForceFlags& f = JwwStore.Force;
  if (!f.ExplicitColor && !f.LineColor && c.LineColor == kOwnColorNumber &&
      c.ExplicitColor == rgb) {
    return;
  }
  std::string& s = Begin("lc10 ");
  AppendInt(s, rgb);
  QueueLine(s);
  c.LineColor = kOwnColorNumber;
  c.ExplicitColor = rgb;
  f.LineColor = false;
  f.ExplicitColor = false;
}

void QueueLineType(int32_t type) {
  TJwwStore& s = JwwStore;
  QueueIfChanged("lt", type, Digits::Decimal, s.Current.LineType, s.Force.LineType);
}

void QueueLineWidth(int32_t width) {
  TJwwStore& s = JwwStore;
  QueueIfChanged("lw", LineWidthValue(width), Digits::Decimal, s.Current.LineWidth,
                 s.Force.LineWidth);
}

void QueuePointColor(int32_t color, int32_t rgb) {
  TJwwStore& s = JwwStore;
  if (!s.Force.PointColor && s.Current.PointColor == color) return;
  std::string& line = Begin("pn");
  AppendInt(line, color);
  if (color == kOwnColorNumber) IntField(line, RgbValue(rgb));
  QueueLine(line);
  s.Current.PointColor = color;
  s.Force.PointColor = false;
}

void QueueTextKind(int32_t kind, int32_t color, double width, double height, double spacing) {
  const TTextKindValue v = TextKindValue(kind, color, width, height, spacing);
  TJwwAttributes& c = JwwStore.Current;
  bool& force = JwwStore.Force.TextKind;
  const bool freeChanged = v.Kind == 0 && (c.FreeWidth != v.Width || c.FreeHeight != v.Height ||
                                           c.FreeSpacing != v.Spacing || c.FreeColor != v.Color);
  if (!force && c.TextKind == v.Kind && !freeChanged) return;
  std::string& s = Begin("cn");
  AppendInt(s, v.Kind);
  if (v.Kind == 0) {
    Fields(s, {v.Width, v.Height, v.Spacing, static_cast<double>(v.Color)});
    ApplyFreeSize(c, v);
  }
  QueueLine(s);
  c.TextKind = v.Kind;
  force = false;
}

void QueueTextAnchor(int32_t anchor) {
  TJwwStore& s = JwwStore;
  QueueIfChanged("cc", TextAnchorValue(anchor), Digits::Decimal, s.Current.TextAnchor,
                 s.Force.TextAnchor);
}

void QueueFont(const std::string& name) {
  const std::string& value = FontNameValue(name);
  TJwwAttributes& c = JwwStore.Current;
  bool& force = JwwStore.Force.Font;
  // The host takes an empty name for a font; better none until one is known.
  if (value.empty() || (!force && c.FontName == value)) return;
  std::string& s = Begin("cn\"$");
  s.append(value);
  QueueLine(s);
  c.FontName = value;
  force = false;
}

void QueueZFlags(int32_t zFlags) {
  static constexpr struct {
    int32_t Bit;
    const char* Command;
  } kFlags[] = {{1, "z1"}, {2, "z2"}, {4, "z3"}, {8, "z4"}, {16, "z5"}};
  // The host knows "z4" and "z5" as alternatives; "z5" wins.
  if (zFlags & 16) zFlags &= ~8;
  for (const auto& f : kFlags) {
    if (zFlags & f.Bit) QueueLine(f.Command);
  }
}

void QueueCommand(const TJwwEntLine& l) {
  if (SamePoint(l.X1, l.Y1, l.X2, l.Y2)) return;
  std::string& s = Begin("");
  Fields(s, {l.X1, l.Y1, l.X2, l.Y2});
  QueueLine(s);
}

void QueueCommand(const TJwwEntCircle& c) {
  if (c.R <= kTiny) return;
  std::string& s = Begin("ci");
  Fields(s, {c.CX, c.CY, c.R});
  QueueLine(s);
}

void QueueCommand(const TJwwEntArc& a) {
  if (a.R <= kTiny || std::fabs(a.Flatness) <= kTiny) return;
  std::string& s = Begin("ci");
  Fields(s, {a.CX, a.CY, a.R, a.StartAngle, a.EndAngle, a.Flatness, a.Tilt});
  QueueLine(s);
}

void QueueCommand(const TJwwEntPoint& p) {
  std::string& s = Begin("pt");
  Fields(s, {p.X, p.Y});
  QueueLine(s);
}

void QueueCommand(const TJwwEntCodedPoint& p) {
  std::string& s = Begin("pt");
  Fields(s, {p.X, p.Y, std::fabs(p.Scale) <= kTiny ? 1.0 : p.Scale, p.Angle});
  IntField(s, p.Code >= -7 && p.Code <= 11 ? p.Code : -3);
  QueueLine(s);
}

void QueueCommand(const TJwwEntText& t) {
  if (NoDirection(t.DX, t.DY) || BlankText(t.Text)) return;
  QueueTextLine(TextKeyword(t.TextCmd), t);
  QueueLine(t.Text);
}

void QueueCommand(const TJwwEntDim& d) {
  const TJwwEntLine& l = d.Line;
  if (SamePoint(l.X1, l.Y1, l.X2, l.Y2) || NoDirection(d.Text.DX, d.Text.DY)) return;
  QueueLine("msg");
  QueueCommand(l);
  QueueTextLine("cs", d.Text);
  QueueDimText(d);
}

void QueueCommand(const TJwwEntSolid2& s) {
  if (SamePoint(s.X1, s.Y1, s.X2, s.Y2)) return;
  std::string& line = Begin("sl");
  Fields(line, {s.X1, s.Y1, s.X2, s.Y2});
  QueueLine(line);
}

void QueueCommand(const TJwwEntSolid3& s) {
  if (SamePoint(s.X1, s.Y1, s.X2, s.Y2) || SamePoint(s.X1, s.Y1, s.X3, s.Y3) ||
      SamePoint(s.X2, s.Y2, s.X3, s.Y3)) {
    return;
  }
  std::string& line = Begin("sl");
  Fields(line, {s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3});
  QueueLine(line);
}

void QueueCommand(const TJwwEntSolid4& s) {
  // A repeated corner leaves a triangle, or nothing when the repeat folds the
  // shape onto a diagonal.
  const auto triangle = [&s](double x2, double y2, double x3, double y3) {
    QueueCommand(TJwwEntSolid3{s.Head, s.SolidRGB, s.X1, s.Y1, x2, y2, x3, y3});
  };
  if (SamePoint(s.X2, s.Y2, s.X1, s.Y1)) return triangle(s.X3, s.Y3, s.X4, s.Y4);
  if (SamePoint(s.X3, s.Y3, s.X1, s.Y1)) return;
  if (SamePoint(s.X4, s.Y4, s.X1, s.Y1)) return triangle(s.X2, s.Y2, s.X3, s.Y3);
  if (SamePoint(s.X3, s.Y3, s.X2, s.Y2)) return triangle(s.X2, s.Y2, s.X4, s.Y4);
  if (SamePoint(s.X4, s.Y4, s.X2, s.Y2)) return;
  if (SamePoint(s.X4, s.Y4, s.X3, s.Y3)) return triangle(s.X2, s.Y2, s.X3, s.Y3);
  std::string& line = Begin("sl");
  Fields(line, {s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3, s.X4, s.Y4});
  QueueLine(line);
}

void QueueCommand(TJwwEntKind kind, const TJwwEntSolidArc& s) {
  if (RoundSolidDegenerate(s)) return;
  if (kind == ekSolidSc || kind == ekSolidSe) {
    const bool known = kind == ekSolidSc ? OneOf(s.Code, {0, 5, 100, -1}) : OneOf(s.Code, {0, 100});
    if (!known) return;
    std::string& line = SolidArcFields(kind == ekSolidSc ? "sc" : "se", s);
    IntField(line, s.Code);
    QueueLine(line);
  } else if (kind == ekSolidSo || kind == ekSolidSg) {
    if (s.InnerR <= kTiny || s.InnerR >= s.R - kTiny) return;
    std::string& line = SolidArcFields(kind == ekSolidSo ? "so" : "sg", s);
    Field(line, s.InnerR);
    QueueLine(line);
  }
}

void QueueEntityGroup(size_t i, const TWriteOverrides& o, int32_t& openPolyline) {
  TGroupContext context{i, o, openPolyline};
  VisitEntry(JwwStore.Order[i],
             [&context](auto row, const auto& record) { QueueGroup(row.Kind, record, context); });
}
