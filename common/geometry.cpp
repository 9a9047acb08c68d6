// Polygon area and clipping by a line (Sutherland and Hodgman's walk round
// the polygon, one half-plane), line crossings and distances.
#include "common/geometry.h"

#include <cmath>

namespace {

double Cross(TPlanePoint u, TPlanePoint v) {
  return u.X * v.Y - u.Y * v.X;
}

}  // namespace

double PolygonDoubleArea(const std::vector<TPlanePoint>& polygon) {
  double twice = 0.0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    twice += Cross(polygon[i], polygon[(i + 1) % polygon.size()]);
  }
  return twice;
}

std::vector<TPlanePoint> ClipLeftOf(const std::vector<TPlanePoint>& polygon, TPlanePoint a,
                                    TPlanePoint b) {
  const TPlanePoint d{b.X - a.X, b.Y - a.Y};
  // The side of the line, scaled by the line's length: the cut between two
  // corners lies where it turns from one sign to the other.
  auto side = [&](TPlanePoint p) { return Cross(d, {p.X - a.X, p.Y - a.Y}); };
  std::vector<TPlanePoint> out;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const TPlanePoint p = polygon[i], q = polygon[(i + 1) % polygon.size()];
    const double sp = side(p), sq = side(q);
    if (sp >= 0) out.push_back(p);
    if ((sp >= 0) != (sq >= 0)) {
      const double t = sp / (sp - sq);
      out.push_back({p.X + t * (q.X - p.X), p.Y + t * (q.Y - p.Y)});
    }
  }
  return out;
}

std::optional<TPlanePoint> LineCross(TPlanePoint p, TPlanePoint d, TPlanePoint q, TPlanePoint e) {
  const double denominator = Cross(d, e);
  if (std::abs(denominator) <= 1e-12 * std::hypot(d.X, d.Y) * std::hypot(e.X, e.Y)) {
    return std::nullopt;
  }
  const double t = Cross({q.X - p.X, q.Y - p.Y}, e) / denominator;
  return TPlanePoint{p.X + t * d.X, p.Y + t * d.Y};
}

double LeftDistance(TPlanePoint p, TPlanePoint a, TPlanePoint b) {
  const TPlanePoint d{b.X - a.X, b.Y - a.Y};
  const double length = std::hypot(d.X, d.Y);
  return length > 0.0 ? Cross(d, {p.X - a.X, p.Y - a.Y}) / length : 0.0;
}

TPlanePoint UnitVector(double x, double y) {
  const double length = std::hypot(x, y);
  return length > 0.0 ? TPlanePoint{x / length, y / length} : TPlanePoint{};
}
