// The drawing extents walk every kind of the store once, held within +-1e8,
// and the fit that turns them into the view.
#include "preview/extents.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "exchange/imagereftext.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"

TDrawingExtents DrawingExtents;

namespace {

constexpr double kExtentLimit = 1e8;
constexpr double kDegToRad = std::numbers::pi / 180.0;

// Low ends are held from below and high ends from above, so a drawing that
// lies wholly beyond the limit keeps its size and place. A value that is not
// a number becomes the limit on its own side, and an infinity on the far side
// the far limit: one broken coordinate must not leave the fit without finite
// ends.
double ClampLowEnd(double v) {
  if (std::isnan(v) || v < -kExtentLimit) return -kExtentLimit;
  return std::isinf(v) ? kExtentLimit : v;
}

double ClampHighEnd(double v) {
  if (std::isnan(v) || v > kExtentLimit) return kExtentLimit;
  return std::isinf(v) ? -kExtentLimit : v;
}

void ClampExtents() {
  TDrawingExtents& e = DrawingExtents;
  e.ExtMinX = ClampLowEnd(e.ExtMinX);
  e.ExtMinY = ClampLowEnd(e.ExtMinY);
  e.ExtMaxX = ClampHighEnd(e.ExtMaxX);
  e.ExtMaxY = ClampHighEnd(e.ExtMaxY);
}

void AddEllipsePoint(double cx, double cy, double r, double flatness, double tilt, double thetaDeg,
                     double divisor) {
  double x = 0.0;
  double y = 0.0;
  EllipsePoint(cx, cy, r, flatness, tilt * kDegToRad, thetaDeg * kDegToRad, x, y);
  AddExtentPoint(x, y, divisor);
}

struct TFirstPoint {
  double x, y, divisor;
};

// The point each kind starts the extents from; a dimension's is its line's.
template <class T>
TFirstPoint FirstPoint(const T& r) {
  if constexpr (requires { r.X1; }) {
    return {r.X1, r.Y1, PreviewDivisor(r.Head)};
  } else if constexpr (requires { r.CX; }) {
    return {r.CX, r.CY, PreviewDivisor(r.Head)};
  } else {
    return {r.X, r.Y, PreviewDivisor(r.Head)};
  }
}
TFirstPoint FirstPoint(const TJwwEntDim& r) {
  return FirstPoint(r.Line);
}

// The kinds in the order the extents take their start point from; blocks
// take no part.
constexpr TJwwEntKind kStartOrder[] = {ekLine,    ekCircle,  ekArc,     ekPoint,  ekCodedPoint,
                                       ekText,    ekDim,     ekSolid2,  ekSolid3, ekSolid4,
                                       ekSolidSc, ekSolidSe, ekSolidSo, ekSolidSg};

// The first point of the first entity of the first kind that has one.
bool StartFromFirstEntity() {
  for (TJwwEntKind kind : kStartOrder) {
    bool started = false;
    ForEachKind([kind, &started](auto row) {
      if (row.Kind != kind || row.Records().empty()) return;
      const auto [x, y, divisor] = FirstPoint(row.Records().front());
      StartExtents(x, y, divisor);
      started = true;
    });
    if (started) return true;
  }
  return false;
}

// An image is drawn from the scaled corner at its own unscaled size, so its
// far corner is added the same way.
void AddTextExtents(const TJwwEntText& t, double divisor) {
  AddExtentPoint(t.X, t.Y, divisor);
  double w = 0.0;
  double h = 0.0;
  if (ParseImageRef(t.Text, w, h)) AddExtentPoint(t.X / divisor + w, t.Y / divisor + h, 1.0);
}

// Degrees as x * 180 / pi, in that order: a ready-made factor would round
// differently in the last bit.
double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

void AddSolidArcExtents(const TJwwEntSolidArc& a) {
  double s = Degrees(a.Start);
  double e = Degrees(a.Start + a.Sweep);
  if (a.Sweep < 0) std::swap(s, e);
  AddArcExtents(a.CX, a.CY, a.R, s, e, a.Flatness, Degrees(a.Tilt), PreviewDivisor(a.Head));
}

// The points each kind adds, measured with the divisor of its own header.
void AddEntityExtents(const TJwwEntLine& r) {
  const double d = PreviewDivisor(r.Head);
  AddExtentPoint(r.X1, r.Y1, d);
  AddExtentPoint(r.X2, r.Y2, d);
}
void AddEntityExtents(const TJwwEntCircle& r) {
  AddArcExtents(r.CX, r.CY, r.R, 0, 0, 1.0, 0, PreviewDivisor(r.Head));
}
void AddEntityExtents(const TJwwEntArc& r) {
  AddArcExtents(r.CX, r.CY, r.R, r.StartAngle, r.EndAngle, r.Flatness, r.Tilt,
                PreviewDivisor(r.Head));
}
void AddEntityExtents(const TJwwEntPoint& r) {
  AddExtentPoint(r.X, r.Y, PreviewDivisor(r.Head));
}
void AddEntityExtents(const TJwwEntCodedPoint& r) {
  AddExtentPoint(r.X, r.Y, PreviewDivisor(r.Head));
}
void AddEntityExtents(const TJwwEntText& r) {
  AddTextExtents(r, PreviewDivisor(r.Head));
}
// The line and the text of a dimension are drawn each with its own header's
// scale, so they are measured that way too.
void AddEntityExtents(const TJwwEntDim& r) {
  AddEntityExtents(r.Line);
  AddExtentPoint(r.Text.X, r.Text.Y, PreviewDivisor(r.Text.Head));
}
void AddEntityExtents(const TJwwEntBlk&) {}
void AddEntityExtents(const TJwwEntSolid2& r) {
  const double d = PreviewDivisor(r.Head);
  AddExtentPoint(r.X1, r.Y1, d);
  AddExtentPoint(r.X2, r.Y2, d);
}
void AddEntityExtents(const TJwwEntSolid3& r) {
  const double d = PreviewDivisor(r.Head);
  AddExtentPoint(r.X1, r.Y1, d);
  AddExtentPoint(r.X2, r.Y2, d);
  AddExtentPoint(r.X3, r.Y3, d);
}
void AddEntityExtents(const TJwwEntSolid4& r) {
  const double d = PreviewDivisor(r.Head);
  AddExtentPoint(r.X1, r.Y1, d);
  AddExtentPoint(r.X2, r.Y2, d);
  AddExtentPoint(r.X3, r.Y3, d);
  AddExtentPoint(r.X4, r.Y4, d);
}
void AddEntityExtents(const TJwwEntSolidArc& r) {
  AddSolidArcExtents(r);
}

void WidenExtents(double by) {
  DrawingExtents.ExtMinX -= by;
  DrawingExtents.ExtMinY -= by;
  DrawingExtents.ExtMaxX += by;
  DrawingExtents.ExtMaxY += by;
  ClampExtents();
}

}  // namespace

void StartExtents(double x, double y, double divisor) {
  DrawingExtents.ExtMinX = DrawingExtents.ExtMaxX = x / divisor;
  DrawingExtents.ExtMinY = DrawingExtents.ExtMaxY = y / divisor;
  ClampExtents();
}

void AddExtentPoint(double x, double y, double divisor) {
  const double px = x / divisor;
  const double py = y / divisor;
  // The ends are held within the limits already; only one that moves needs
  // holding again, which a fit of a million entities would otherwise do
  // four times a point.
  TDrawingExtents& e = DrawingExtents;
  if (px < e.ExtMinX) e.ExtMinX = ClampLowEnd(px);
  if (px > e.ExtMaxX) e.ExtMaxX = ClampHighEnd(px);
  if (py < e.ExtMinY) e.ExtMinY = ClampLowEnd(py);
  if (py > e.ExtMaxY) e.ExtMaxY = ClampHighEnd(py);
}

void AddArcExtents(double cx, double cy, double r, double start, double end, double flatness,
                   double tilt, double divisor) {
  const double sweep = WrapDegrees(end - start);
  if (std::abs(sweep) <= 1e-8) {
    for (double a : {0.0, 90.0, 180.0, 270.0}) {
      AddEllipsePoint(cx, cy, r, flatness, tilt, a, divisor);
    }
    return;
  }
  AddEllipsePoint(cx, cy, r, flatness, tilt, start, divisor);
  AddEllipsePoint(cx, cy, r, flatness, tilt, end, divisor);
  const double s0 = WrapDegrees(start);
  for (double a : {0.0, 90.0, 180.0, 270.0}) {
    double d = a == 0.0 ? 360.0 - s0 : a - s0;
    if (d < 0) d += 360.0;
    if (sweep >= d) AddEllipsePoint(cx, cy, r, flatness, tilt, a, divisor);
  }
}

namespace {

// What the extents depend on: the records, and what turns each into preview
// units. A fit of a drawing unchanged since the last one finds them as they
// were: the start-up fits twice (the form's show, then its first paint), and
// the walk over every record is most of a fit.
struct TExtentsSource {
  TDrawingRevisions Revisions;
  uint64_t Order = 0;
  bool DrawingSize = false;
  std::array<double, 16> GroupScale{};
  // A scale that is not a number equals nothing: the walk is done again.
  bool operator==(const TExtentsSource&) const = default;
};

TExtentsSource SourceNow() {
  return {DrawingRevisions(), JwwStore.Order.Revision(), JwwStore.DrawingSizeMode,
          JwwStore.GroupScale};
}

std::optional<std::pair<TExtentsSource, TDrawingExtents>> lastComputed;

}  // namespace

void ComputeExtents() {
  const TExtentsSource source = SourceNow();
  if (lastComputed && lastComputed->first == source) {
    DrawingExtents = lastComputed->second;
    return;
  }
  const TJwwStore& s = JwwStore;
  // With nothing to start from, the extents begin at the origin, so a store
  // of blocks alone fits the same way each time.
  if (!StartFromFirstEntity()) StartExtents(0.0, 0.0, 1.0);
  if (s.Order.empty()) {
    DrawingExtents = {-100.0, -100.0, 100.0, 100.0};
  } else if (s.Order.size() == 1) {
    WidenExtents(100.0);
  }
  ForEachKind([](auto row) {
    for (const auto& r : row.Records()) AddEntityExtents(r);
  });
  lastComputed.emplace(source, DrawingExtents);
}

void FitViewToExtents(int32_t width, int32_t height) {
  ComputeExtents();
  const TDrawingExtents& e = DrawingExtents;
  const double dx = std::max(std::abs(e.ExtMaxX - e.ExtMinX), 1e-10);
  const double dy = std::max(std::abs(e.ExtMaxY - e.ExtMinY), 1e-10);
  // A canvas not laid out yet (0 pixels) still gets a usable scale.
  const double sx = std::max(width, 1) / dx * 0.9;
  const double sy = std::max(height, 1) / dy * 0.9;
  Gval.ViewScale = std::min(sx, sy);
  CenterView((e.ExtMaxX + e.ExtMinX) / 2, (e.ExtMaxY + e.ExtMinY) / 2, width, height);
}
