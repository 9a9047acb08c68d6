// The drawing extents walk every kind of the store once, held within +-1e8,
// and the fit that turns them into the view.
#include "preview/extents.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"
#include "exchange/imagereftext.h"

TDrawingExtents DrawingExtents;

namespace {

constexpr double kExtentLimit = 1e8;
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// A value that is not a number becomes the given bound, so one broken
// coordinate cannot spoil the fit; everything else is held within +-1e8.
double ClampExtent(double v, double ifNan) {
  if (std::isnan(v)) return ifNan;
  return std::clamp(v, -kExtentLimit, kExtentLimit);
}

void ClampExtents() {
  TDrawingExtents& e = DrawingExtents;
  e.ExtMinX = ClampExtent(e.ExtMinX, -kExtentLimit);
  e.ExtMinY = ClampExtent(e.ExtMinY, -kExtentLimit);
  e.ExtMaxX = ClampExtent(e.ExtMaxX, kExtentLimit);
  e.ExtMaxY = ClampExtent(e.ExtMaxY, kExtentLimit);
}

void AddEllipsePoint(double cx, double cy, double r, double flatness, double tilt, double thetaDeg,
                     double divisor) {
  double x = 0.0;
  double y = 0.0;
  EllipsePoint(cx, cy, r, flatness, tilt * kDegToRad, thetaDeg * kDegToRad, x, y);
  AddExtentPoint(x, y, divisor);
}

// The first point of the first entity of the kind starts the extents.
template <class T, class FirstPoint>
bool StartFrom(const TGrowArray<T>& records, FirstPoint first) {
  if (records.empty()) return false;
  const auto [x, y, divisor] = first(records.front());
  StartExtents(x, y, divisor);
  return true;
}

struct TFirstPoint {
  double x, y, divisor;
};

// Kinds in the order the extents take their start point from.
bool StartFromFirstEntity(const TJwwStore& s) {
  const auto ends = [](const auto& r) { return TFirstPoint{r.X1, r.Y1, PreviewDivisor(r.Head)}; };
  const auto centre = [](const auto& r) { return TFirstPoint{r.CX, r.CY, PreviewDivisor(r.Head)}; };
  const auto point = [](const auto& r) { return TFirstPoint{r.X, r.Y, PreviewDivisor(r.Head)}; };
  const auto dimLine = [](const TJwwEntDim& r) {
    return TFirstPoint{r.Line.X1, r.Line.Y1, PreviewDivisor(r.Line.Head)};
  };
  return StartFrom(s.Lines, ends) || StartFrom(s.Circles, centre) || StartFrom(s.Arcs, centre) ||
         StartFrom(s.Points, point) || StartFrom(s.CodedPoints, point) ||
         StartFrom(s.Texts, point) || StartFrom(s.Dims, dimLine) || StartFrom(s.Solids2, ends) ||
         StartFrom(s.Solids3, ends) || StartFrom(s.Solids4, ends) ||
         StartFrom(s.SolidsSc, centre) || StartFrom(s.SolidsSe, centre) ||
         StartFrom(s.SolidsSo, centre) || StartFrom(s.SolidsSg, centre);
}

// An image is drawn from the scaled corner at its own unscaled size, so its
// far corner is added the same way.
void AddTextExtents(const TJwwEntText& t, double divisor) {
  AddExtentPoint(t.X, t.Y, divisor);
  double w = 0.0;
  double h = 0.0;
  if (ParseImageRef(t.Text, w, h)) AddExtentPoint(t.X / divisor + w, t.Y / divisor + h, 1.0);
}

void AddSolidArcExtents(const TJwwEntSolidArc& a) {
  double s = a.Start * kRadToDeg;
  double e = (a.Start + a.Sweep) * kRadToDeg;
  if (a.Sweep < 0) std::swap(s, e);
  AddArcExtents(a.CX, a.CY, a.R, s, e, a.Flatness, a.Tilt * kRadToDeg, PreviewDivisor(a.Head));
}

template <class T, class AddPoints>
void AddEach(const TGrowArray<T>& records, AddPoints add) {
  for (const T& r : records) add(r, PreviewDivisor(r.Head));
}

void AddEveryEntity(const TJwwStore& s) {
  const auto twoEnds = [](const auto& r, double d) {
    AddExtentPoint(r.X1, r.Y1, d);
    AddExtentPoint(r.X2, r.Y2, d);
  };
  AddEach(s.Lines, twoEnds);
  AddEach(s.Circles, [](const TJwwEntCircle& r, double d) {
    AddArcExtents(r.CX, r.CY, r.R, 0, 0, 1.0, 0, d);
  });
  AddEach(s.Arcs, [](const TJwwEntArc& r, double d) {
    AddArcExtents(r.CX, r.CY, r.R, r.StartAngle, r.EndAngle, r.Flatness, r.Tilt, d);
  });
  const auto point = [](const auto& r, double d) { AddExtentPoint(r.X, r.Y, d); };
  AddEach(s.Points, point);
  AddEach(s.CodedPoints, point);
  AddEach(s.Texts, AddTextExtents);
  // The line and the text of a dimension are drawn each with its own
  // header's scale, so they are measured that way too.
  AddEach(s.Dims, [](const TJwwEntDim& r, double) {
    const double lineDivisor = PreviewDivisor(r.Line.Head);
    AddExtentPoint(r.Line.X1, r.Line.Y1, lineDivisor);
    AddExtentPoint(r.Line.X2, r.Line.Y2, lineDivisor);
    AddExtentPoint(r.Text.X, r.Text.Y, PreviewDivisor(r.Text.Head));
  });
  AddEach(s.Solids2, twoEnds);
  AddEach(s.Solids3, [](const TJwwEntSolid3& r, double d) {
    AddExtentPoint(r.X1, r.Y1, d);
    AddExtentPoint(r.X2, r.Y2, d);
    AddExtentPoint(r.X3, r.Y3, d);
  });
  AddEach(s.Solids4, [](const TJwwEntSolid4& r, double d) {
    AddExtentPoint(r.X1, r.Y1, d);
    AddExtentPoint(r.X2, r.Y2, d);
    AddExtentPoint(r.X3, r.Y3, d);
    AddExtentPoint(r.X4, r.Y4, d);
  });
  const auto solidArc = [](const TJwwEntSolidArc& r, double) { AddSolidArcExtents(r); };
  AddEach(s.SolidsSc, solidArc);
  AddEach(s.SolidsSe, solidArc);
  AddEach(s.SolidsSo, solidArc);
  AddEach(s.SolidsSg, solidArc);
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
  TDrawingExtents& e = DrawingExtents;
  if (px < e.ExtMinX) e.ExtMinX = px;
  if (px > e.ExtMaxX) e.ExtMaxX = px;
  if (py < e.ExtMinY) e.ExtMinY = py;
  if (py > e.ExtMaxY) e.ExtMaxY = py;
  ClampExtents();
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

void ComputeExtents() {
  const TJwwStore& s = JwwStore;
  // With nothing to start from, the extents begin at the origin, so a store
  // of blocks alone fits the same way each time.
  if (!StartFromFirstEntity(s)) StartExtents(0.0, 0.0, 1.0);
  if (s.Order.empty()) {
    DrawingExtents = {-100.0, -100.0, 100.0, 100.0};
  } else if (s.Order.size() == 1) {
    WidenExtents(100.0);
  }
  AddEveryEntity(s);
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
  CentreView((e.ExtMaxX + e.ExtMinX) / 2, (e.ExtMaxY + e.ExtMinY) / 2, width, height);
}
