// The preview's primitives: pen and brush set-up, world-to-screen mapping
// with clipping, ellipses walked as chords, and polygons cut at the screen
// limit so no zoom overflows a pixel coordinate.
#include "preview/draw.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/geometry.h"
#include "preview/clipping.h"
#include "preview/gval.h"

namespace {

constexpr double kFiveDegrees = 0.0872664625997164739;
constexpr int kChords = 72;
// A polygon whose first edge is longer than this many pixels is outlined only.
constexpr double kLongestFilledEdge = 10000.0;
constexpr double kCodeTolerance = 1e-10;

struct ScaledPoint {
  double x;
  double y;
};

bool InScreenRange(double v) {
  return v >= -kScreenLimit && v <= kScreenLimit;
}

int ClipToView(double& x1, double& y1, double& x2, double& y2) {
  return ClipSegment(x1, y1, x2, y2, Gval.ViewMinX, Gval.ViewMinY, Gval.ViewMaxX, Gval.ViewMaxY);
}

int ViewOutcode(double x, double y) {
  return ClipOutcode(x, y, Gval.ViewMinX, Gval.ViewMinY, Gval.ViewMaxX, Gval.ViewMaxY);
}

// True when every point lies outside one and the same edge of the view.
bool AllOutsideOneEdge(const std::vector<TWorldPoint>& points) {
  int common = kClipLeft | kClipRight | kClipBottom | kClipTop;
  for (const TWorldPoint& p : points) {
    common &= ViewOutcode(p.x, p.y);
    if (common == 0) return false;
  }
  return true;
}

// The screen ends of a world segment, via its scaled ends. A one-pass clip
// can leave an end outside the view on its own line, which at a large zoom
// lies beyond any pixel coordinate; then the segment is cut at
// kScreenLimit along its own line. False when nothing of it remains (or a
// coordinate is not a number). guarded tells whether that cut was needed.
bool ScreenSegment(double x1, double y1, double x2, double y2, ScreenPoint& a, ScreenPoint& b,
                   bool& guarded) {
  double sx1 = ScaledX(x1);
  double sy1 = ScaledY(y1);
  double sx2 = ScaledX(x2);
  double sy2 = ScaledY(y2);
  guarded = !(InScreenRange(sx1) && InScreenRange(sy1) && InScreenRange(sx2) && InScreenRange(sy2));
  if (guarded) {
    if (!std::isfinite(sx1) || !std::isfinite(sy1) || !std::isfinite(sx2) || !std::isfinite(sy2)) {
      return false;
    }
    if (!ClipSegmentToBox(sx1, sy1, sx2, sy2, -kScreenLimit, -kScreenLimit, kScreenLimit,
                          kScreenLimit)) {
      return false;
    }
  }
  a = ScreenOfScaled(sx1, sy1);
  b = ScreenOfScaled(sx2, sy2);
  return true;
}

// The part of a closed polygon inside the square +-kScreenLimit, one edge of
// the square after the other (Sutherland-Hodgman). Every point inside the
// square keeps its fill, and the new edges lie far off the canvas.
std::vector<ScaledPoint> CutPolygonToScreenLimit(std::vector<ScaledPoint> poly) {
  constexpr double kL = kScreenLimit;
  // Each edge as: inside when a * x + b * y <= kL.
  const double edges[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& e : edges) {
    std::vector<ScaledPoint> out;
    auto side = [&](const ScaledPoint& p) { return e[0] * p.x + e[1] * p.y - kL; };
    for (size_t i = 0; i < poly.size(); ++i) {
      const ScaledPoint& cur = poly[i];
      const ScaledPoint& next = poly[(i + 1) % poly.size()];
      double dc = side(cur);
      double dn = side(next);
      if (dc <= 0) out.push_back(cur);
      if ((dc <= 0) != (dn <= 0)) {
        double t = dc / (dc - dn);
        out.push_back({cur.x + t * (next.x - cur.x), cur.y + t * (next.y - cur.y)});
      }
    }
    poly = std::move(out);
    if (poly.empty()) break;
  }
  return poly;
}

// Fills ScreenPoints with the mapped points of WorldPoints, cut at
// kScreenLimit where some point lies beyond it. False when nothing is left
// to draw.
bool MapPolygon() {
  std::vector<ScreenPoint>& out = Gval.ScreenPoints;
  out.clear();
  std::vector<ScaledPoint> scaled;
  scaled.reserve(Gval.WorldPoints.size());
  bool inRange = true;
  for (const TWorldPoint& p : Gval.WorldPoints) {
    ScaledPoint s{ScaledX(p.x), ScaledY(p.y)};
    if (!std::isfinite(s.x) || !std::isfinite(s.y)) return false;
    inRange = inRange && InScreenRange(s.x) && InScreenRange(s.y);
    scaled.push_back(s);
  }
  if (!inRange) scaled = CutPolygonToScreenLimit(std::move(scaled));
  for (const ScaledPoint& s : scaled) out.push_back(ScreenOfScaled(s.x, s.y));
  return out.size() >= 3;
}

// Draws ScreenPoints as a polyline when it holds more than one point, and
// empties it.
void FlushScreenPolyline(Canvas& canvas) {
  if (Gval.ScreenPoints.size() > 1) DrawScreenPolyline(canvas);
  Gval.ScreenPoints.clear();
}

// An ellipse with the cosine and sine of its tilt taken once. The turn is
// the arithmetic of RotateX and RotateY about the origin, value for value.
class TiltedEllipse {
 public:
  TiltedEllipse(double cx, double cy, double r, double flatness, double tilt)
      : cx_(cx), cy_(cy), r_(r), flatness_(flatness), cos_(std::cos(tilt)), sin_(std::sin(tilt)) {}

  TWorldPoint At(double theta) const { return AtUnit(std::cos(theta), std::sin(theta)); }
  // True when every point of the ellipse lies well inside the view, where
  // clipping a chord to it leaves the chord as it is.
  bool WithinView() const {
    // No point lies further from the centre than the longer semi-axis; the
    // margin covers the rounding of the turned points.
    const double reach = std::abs(r_) * std::max(1.0, std::abs(flatness_)) * (1 + 1e-9) + 1e-9;
    return ViewOutcode(cx_ - reach, cy_ - reach) == 0 && ViewOutcode(cx_ + reach, cy_ + reach) == 0;
  }
  // The point at the angle whose cosine and sine are given.
  TWorldPoint AtUnit(double cosTheta, double sinTheta) const {
    const double lx = r_ * cosTheta;
    const double ly = r_ * flatness_ * sinTheta;
    return {cos_ * lx - sin_ * ly + cx_, sin_ * lx + cos_ * ly + cy_};
  }

 private:
  double cx_;
  double cy_;
  double r_;
  double flatness_;
  double cos_;
  double sin_;
};

// The cosines and sines of the whole ellipse's angles 0, 5, 10 ... 360
// degrees, taken once for every whole ellipse.
struct TUnitTurn {
  double Cos;
  double Sin;
};
const std::array<TUnitTurn, kChords + 1>& FiveDegreeTurns() {
  static const std::array<TUnitTurn, kChords + 1> turns = [] {
    std::array<TUnitTurn, kChords + 1> t{};
    double theta = 0.0;
    for (TUnitTurn& u : t) {
      u = {std::cos(theta), std::sin(theta)};
      theta += kFiveDegrees;
    }
    return t;
  }();
  return turns;
}

// Hands visit the count points at theta = first, first + step, ..., from
// the table when the walk is the whole ellipse's.
template <class Visit>
void WalkEllipse(const TiltedEllipse& ellipse, double first, double step, int count, Visit visit) {
  if (first == 0.0 && !std::signbit(first) && step == kFiveDegrees && count <= kChords + 1) {
    const auto& turns = FiveDegreeTurns();
    for (int i = 0; i < count; ++i) visit(ellipse.AtUnit(turns[i].Cos, turns[i].Sin));
    return;
  }
  // Each point turned on from the last by the step's cosine and sine, one
  // of each for the whole walk.
  const double stepCos = std::cos(step);
  const double stepSin = std::sin(step);
  double c = std::cos(first);
  double s = std::sin(first);
  for (int i = 0; i < count; ++i) {
    visit(ellipse.AtUnit(c, s));
    const double next = c * stepCos - s * stepSin;
    s = s * stepCos + c * stepSin;
    c = next;
  }
}

// The chords of an ellipse well inside the view, handed to the canvas as one
// run of screen lines: each point is mapped once, where chord by chord each
// inner point would be mapped twice, to the same pixel. False, with nothing
// drawn, when a point does not map to a pixel.
bool DrawChordsInView(Canvas& canvas, const TiltedEllipse& ellipse, double first, double step) {
  std::array<ScreenPoint, kChords + 1> points;
  size_t n = 0;
  bool mapped = true;
  WalkEllipse(ellipse, first, step, kChords + 1, [&](const TWorldPoint& p) {
    const double sx = ScaledX(p.x);
    const double sy = ScaledY(p.y);
    mapped = mapped && InScreenRange(sx) && InScreenRange(sy);
    points[n++] = ScreenOfScaled(sx, sy);
  });
  if (mapped) canvas.ScreenLines(points);
  return mapped;
}

// The chords between points at theta = first, first + step, ... (72 steps).
void DrawChords(Canvas& canvas, const TiltedEllipse& ellipse, double first, double step) {
  const bool inView = ellipse.WithinView();
  if (inView && DrawChordsInView(canvas, ellipse, first, step)) return;
  bool started = false;
  TWorldPoint from{};
  const auto line = inView ? InViewLine : WorldLine;
  WalkEllipse(ellipse, first, step, kChords + 1, [&](const TWorldPoint& to) {
    if (started) line(canvas, from.x, from.y, to.x, to.y);
    from = to;
    started = true;
  });
}

// Appends count points at theta = first, first + step, ... to WorldPoints.
void AddEllipsePoints(const TiltedEllipse& ellipse, double first, double step, int count) {
  WalkEllipse(ellipse, first, step, count, [](const TWorldPoint& p) { AddWorldPoint(p.x, p.y); });
}

// Keeps the brush's colour and the pen's mix, as every pen setter does.
void SetHollowBrushAndPen(Canvas& canvas, TColor color, PenStyle style, int32_t width) {
  Brush brush = canvas.GetBrush();
  brush.Style = BrushStyle::Hollow;
  canvas.SetBrush(brush);
  Pen pen = canvas.GetPen();
  pen.Color = color;
  pen.Width = width;
  pen.Style = style;
  canvas.SetPen(pen);
}

bool NearCode(double code, double value) {
  return std::fabs(code - value) <= kCodeTolerance;
}

// The corner that closes an arc: where the line through its first point at
// start + tilt + 90 degrees meets the line through its last point at
// start + sweep + tilt - 90 degrees; the centre when they are parallel.
TWorldPoint ArcCorner(const TWorldPoint& first, const TWorldPoint& last, double cx, double cy,
                      double tilt, double start, double sweep) {
  constexpr double kLeg = 10.0;
  double a1 = start + tilt + std::numbers::pi / 2;
  double a2 = start + sweep + tilt - std::numbers::pi / 2;
  double x;
  double y;
  if (SegmentCross(first.x, first.y, first.x + kLeg * std::cos(a1), first.y + kLeg * std::sin(a1),
                   last.x, last.y, last.x + kLeg * std::cos(a2), last.y + kLeg * std::sin(a2), x,
                   y) == 0) {
    return {cx, cy};
  }
  return {x, y};
}

// kShapeFilledArc: a filled arc closed by the whole ellipse, the centre, its chord
// or the corner of its end tangents, by Code.
void BuildFilledArc(const TiltedEllipse& ellipse, double code, double cx, double cy, double tilt,
                    double start, double sweep) {
  if (NearCode(code, kCodeWholeEllipse)) {
    AddEllipsePoints(ellipse, 0.0, kFiveDegrees, kChords);
    return;
  }
  AddEllipsePoints(ellipse, start, sweep / kChords, kChords + 1);
  if (NearCode(code, kCodeSector)) {
    AddWorldPoint(cx, cy);
  } else if (!NearCode(code, kCodeChord)) {
    TWorldPoint corner =
        ArcCorner(Gval.WorldPoints.front(), Gval.WorldPoints.back(), cx, cy, tilt, start, sweep);
    AddWorldPoint(corner.x, corner.y);
  }
}

}  // namespace

PenStyle PenStyleFromCode(int32_t code) {
  static constexpr PenStyle kByCode[] = {PenStyle::Solid,   PenStyle::Dash,       PenStyle::Dot,
                                         PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Null};
  return code >= 0 && code < std::ssize(kByCode) ? kByCode[code] : PenStyle::Solid;
}

BrushStyle BrushStyleFromCode(int32_t code) {
  static constexpr BrushStyle kByCode[] = {
      BrushStyle::Hollow,    BrushStyle::Solid,     BrushStyle::Horizontal, BrushStyle::Vertical,
      BrushStyle::FDiagonal, BrushStyle::BDiagonal, BrushStyle::Cross,      BrushStyle::DiagCross};
  return code >= 0 && code < std::ssize(kByCode) ? kByCode[code] : BrushStyle::Hollow;
}

void SetPlainPen(Canvas& canvas, TColor color, int32_t styleCode, int32_t width) {
  SetHollowBrushAndPen(canvas, color, PenStyleFromCode(styleCode), width);
}

void SetPlainBrush(Canvas& canvas, TColor color, int32_t styleCode) {
  canvas.SetBrush({color, BrushStyleFromCode(styleCode)});
}

void SetXorPen(Canvas& canvas) {
  Pen pen = canvas.GetPen();
  pen.Mix = PenMix::Xor;
  canvas.SetPen(pen);
}

void SetPenColor(Canvas& canvas, TColor color) {
  Pen pen = canvas.GetPen();
  pen.Color = color;
  canvas.SetPen(pen);
}

void SetBrushColor(Canvas& canvas, TColor color) {
  Brush brush = canvas.GetBrush();
  brush.Color = color;
  canvas.SetBrush(brush);
}

TColor EntityColor(int32_t flatLayer, int32_t colorNumber) {
  const TgraAttribute& a = GraAttribute();
  switch (a.GetLayerState(flatLayer)) {
    case kLayerGreyed:
      return a.GetGrayColor();
    case kLayerHidden:
      return a.GetBackColor();
    default:
      return a.GetLineColor(colorNumber);
  }
}

void SetEntityPen(Canvas& canvas, int32_t flatLayer, int32_t colorNumber, int32_t lineType) {
  const PenStyle style = (lineType == 1 || lineType == 31) ? PenStyle::Solid : PenStyle::Dot;
  SetHollowBrushAndPen(canvas, EntityColor(flatLayer, colorNumber), style, 0);
}

void SetEntityBrush(Canvas& canvas, int32_t flatLayer, int32_t colorNumber,
                    int32_t brushStyleCode) {
  canvas.SetBrush({EntityColor(flatLayer, colorNumber), BrushStyleFromCode(brushStyleCode)});
}

void ClearView(Canvas& canvas, int32_t width, int32_t height) {
  TColor back = GraAttribute().GetBackColor();
  Pen pen = canvas.GetPen();
  pen.Mix = PenMix::Copy;
  pen.Width = 1;
  pen.Color = back;
  canvas.SetPen(pen);
  canvas.SetBrush({back, BrushStyle::Solid});
  canvas.Rectangle(0, 0, width, height);
  canvas.SetBrush({back, BrushStyle::Hollow});
}

void ScreenLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const ScreenPoint ends[] = {{x1, y1}, {x2, y2}};
  canvas.ScreenLines(ends);
}

void ScreenRect(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  int64_t dx = std::abs(static_cast<int64_t>(x1) - x2);
  int64_t dy = std::abs(static_cast<int64_t>(y1) - y2);
  if (dx <= 2 && dy <= 2) return;
  if (dx <= 2) {
    ScreenLine(canvas, x1, y1, x1, y2);
  } else if (dy <= 2) {
    ScreenLine(canvas, x1, y1, x2, y1);
  } else {
    canvas.Rectangle(x1, y1, x2, y2);
  }
}

void DrawScreenPolyline(Canvas& canvas) {
  canvas.Polyline(Gval.ScreenPoints);
}

void DrawScreenPolygon(Canvas& canvas) {
  canvas.Polygon(Gval.ScreenPoints);
}

void WorldLine(Canvas& canvas, double x1, double y1, double x2, double y2) {
  if (ClipToView(x1, y1, x2, y2) == 2) return;
  InViewLine(canvas, x1, y1, x2, y2);
}

void InViewLine(Canvas& canvas, double x1, double y1, double x2, double y2) {
  ScreenPoint a;
  ScreenPoint b;
  bool guarded;
  if (!ScreenSegment(x1, y1, x2, y2, a, b, guarded)) return;
  ScreenLine(canvas, a.x, a.y, b.x, b.y);
}

void WorldBox(Canvas& canvas, double x1, double y1, double x2, double y2) {
  switch (ClipBoxTest(x1, y1, x2, y2, Gval.ViewMinX, Gval.ViewMinY, Gval.ViewMaxX, Gval.ViewMaxY)) {
    case 0:
      ScreenRect(canvas, ToScreenX(x1), ToScreenY(y1), ToScreenX(x2), ToScreenY(y2));
      break;
    case 1:
      AddWorldPoint(x1, y1);
      AddWorldPoint(x2, y1);
      AddWorldPoint(x2, y2);
      AddWorldPoint(x1, y2);
      WorldPolygon(canvas);
      ClearWorldPoints();
      break;
    default:
      break;
  }
}

void EllipsePoint(double cx, double cy, double r, double flatness, double tilt, double theta,
                  double& x, double& y) {
  const TWorldPoint p = TiltedEllipse(cx, cy, r, flatness, tilt).At(theta);
  x = p.x;
  y = p.y;
}

void WorldEllipse(Canvas& canvas, double cx, double cy, double r, double flatness, double tilt) {
  DrawChords(canvas, TiltedEllipse(cx, cy, r, flatness, tilt), 0.0, kFiveDegrees);
}

void WorldArc(Canvas& canvas, double cx, double cy, double r, double flatness, double tilt,
              double start, double sweep) {
  DrawChords(canvas, TiltedEllipse(cx, cy, r, flatness, tilt), start, sweep / kChords);
}

void WorldPolyline(Canvas& canvas) {
  const std::vector<TWorldPoint>& points = Gval.WorldPoints;
  if (points.size() < 2 || AllOutsideOneEdge(points)) return;
  std::vector<ScreenPoint>& screen = Gval.ScreenPoints;
  screen.clear();
  for (size_t i = 1; i < points.size(); ++i) {
    double x1 = points[i - 1].x;
    double y1 = points[i - 1].y;
    double x2 = points[i].x;
    double y2 = points[i].y;
    int result = ClipToView(x1, y1, x2, y2);
    ScreenPoint a;
    ScreenPoint b;
    bool guarded = false;
    if (result == 2 || !ScreenSegment(x1, y1, x2, y2, a, b, guarded)) {
      FlushScreenPolyline(canvas);
      continue;
    }
    // A segment cut at the screen limit stands alone: its first end is no
    // longer the previous segment's last.
    if (guarded) FlushScreenPolyline(canvas);
    if (screen.empty()) screen.push_back(a);
    screen.push_back(b);
    if (result == 1 || guarded) FlushScreenPolyline(canvas);
  }
  FlushScreenPolyline(canvas);
}

void WorldPolygon(Canvas& canvas) {
  std::vector<TWorldPoint>& points = Gval.WorldPoints;
  if (points.size() < 3 || AllOutsideOneEdge(points)) return;
  double firstEdge = PointDistance(points[0].x, points[0].y, points[1].x, points[1].y);
  if (firstEdge * Gval.ViewScale > kLongestFilledEdge) {
    TWorldPoint first = points[0];
    points.push_back(first);
    WorldPolyline(canvas);
    return;
  }
  if (MapPolygon()) DrawScreenPolygon(canvas);
  Gval.ScreenPoints.clear();
}

void SolidArcShape(Canvas& canvas, int32_t shape, double codeOrInner, double cx, double cy,
                   double r, double flatness, double tilt, double start, double sweep) {
  const double step = sweep / kChords;
  const TiltedEllipse outer(cx, cy, r, flatness, tilt);
  switch (shape) {
    case kShapeFilledArc:
      BuildFilledArc(outer, codeOrInner, cx, cy, tilt, start, sweep);
      WorldPolygon(canvas);
      break;
    case kShapeArcOutline:
      if (NearCode(codeOrInner, kCodeWholeEllipse)) {
        AddEllipsePoints(outer, 0.0, kFiveDegrees, kChords + 1);
      } else {
        AddEllipsePoints(outer, start, step, kChords + 1);
      }
      WorldPolyline(canvas);
      break;
    case kShapeRing:
      AddEllipsePoints(outer, start, step, kChords + 1);
      AddEllipsePoints(TiltedEllipse(cx, cy, codeOrInner, flatness, tilt), start + sweep, -step,
                       kChords + 1);
      WorldPolygon(canvas);
      break;
    default:
      break;
  }
  ClearWorldPoints();
}
