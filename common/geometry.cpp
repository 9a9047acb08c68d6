// The plane geometry: distances, directions, turns and the crossings of
// lines and circles, snapped to 1e-8 where a computed point must not carry
// the last bits of its rounding on; polygon area and clipping by a line
// (Sutherland and Hodgman's walk round the polygon, one half-plane).
#include "common/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/numbers.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double Snap8(double v) {
  return std::trunc(v / 1e-8 + 0.5) * 1e-8;
}

bool InBox(double x, double y, double x1, double y1, double x2, double y2) {
  constexpr double kSlack = 1e-8;
  return std::min(x1, x2) - kSlack <= x && x <= std::max(x1, x2) + kSlack &&
         std::min(y1, y2) - kSlack <= y && y <= std::max(y1, y2) + kSlack;
}

// (u, v) turned by a about the origin and moved to (cx, cy). The turned
// vector is formed whole before it is added: adding the centre first rounds
// differently in the last bit, and a later snap to 1e-8 can carry that bit
// down a chain of computed points.
void TurnFrom(double cx, double cy, double u, double v, double a, double& x, double& y) {
  const double tx = u * std::cos(a) - v * std::sin(a);
  const double ty = u * std::sin(a) + v * std::cos(a);
  x = cx + tx;
  y = cy + ty;
}

double Cross(TPlanePoint u, TPlanePoint v) {
  return u.X * v.Y - u.Y * v.X;
}

}  // namespace

double PointDistance(double x1, double y1, double x2, double y2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

double DirectionRad(double x, double y) {
  if (std::fabs(x) < 1e-10 && std::fabs(y) < 1e-10) return 0.0;
  // Rightwards, as most texts and dimensions run: atan2's answer, without
  // its call.
  if (y == 0 && x > 0) return 0.0;
  double a = std::atan2(y, x);
  if (a < 0) {
    a += kTwoPi;
    // A tiny negative angle would round up to 2 pi, which is direction 0.
    if (a >= kTwoPi) a = 0.0;
  }
  return a;
}

double DirectionDeg(double x, double y) {
  return RoundFine(DirectionRad(x, y) * 180 / std::numbers::pi);
}

double RotateX(double x, double y, double cx, double cy, double a) {
  return cx + std::cos(a) * (x - cx) - std::sin(a) * (y - cy);
}

double RotateY(double x, double y, double cx, double cy, double a) {
  return cy + std::sin(a) * (x - cx) + std::cos(a) * (y - cy);
}

int SegmentCross(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                 double y4, double& x, double& y) {
  const bool verticalA = Snap8(x1 - x2) == 0;
  const bool verticalB = Snap8(x3 - x4) == 0;
  double cx = 0;
  double cy = 0;
  if (verticalA && verticalB) return 0;
  if (verticalA) {
    const double kB = (y4 - y3) / (x4 - x3);
    cx = x1;
    cy = (x1 - x3) * kB + y3;
  } else if (verticalB) {
    const double kA = (y2 - y1) / (x2 - x1);
    cx = x3;
    cy = (x3 - x1) * kA + y1;
  } else {
    const double kA = (y2 - y1) / (x2 - x1);
    const double kB = (y4 - y3) / (x4 - x3);
    if (Snap8(kA - kB) == 0) return 0;
    const double bA = y1 - kA * x1;
    const double bB = y3 - kB * x3;
    cx = (bB - bA) / (kA - kB);
    cy = kA * cx + bA;
  }
  x = cx;
  y = cy;
  return InBox(cx, cy, x1, y1, x2, y2) && InBox(cx, cy, x3, y3, x4, y4) ? 1 : 2;
}

int CircleCross(double x1, double y1, double r1, double x2, double y2, double r2, double& ax,
                double& ay, double& bx, double& by) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  if (std::fabs(dx) < 1e-8 && std::fabs(dy) < 1e-8) return 0;
  const double alpha = DirectionRad(dx, dy);
  const double du = dx * std::cos(alpha) + dy * std::sin(alpha);
  const double dv = -dx * std::sin(alpha) + dy * std::cos(alpha);
  const double l = std::fabs(du);
  const double s1 = Snap8(r1 + r2 - l);
  const double s2 = Snap8(std::fabs(r1 - r2) - l);
  if (s1 < 0 || s2 > 0) return 0;
  const int result = s1 == 0 || s2 == 0 ? 1 : 2;
  const double p = (r1 + r2 + l) / 2;
  const double q = std::max(Snap8((p - r1) * p * (p - r2) * (p - l)), 0.0);
  const double h = 2 * std::sqrt(q) / l;
  const double a = std::sqrt(std::fabs(Snap8(r1 * r1 - h * h)));
  const auto miss = [&](double f) { return std::fabs(f * f + h * h - r2 * r2); };
  const double f = miss(du + a) < miss(du - a) ? du + a : du - a;
  TurnFrom(x2, y2, f, dv + h, alpha, ax, ay);
  TurnFrom(x2, y2, f, dv - h, alpha, bx, by);
  return result;
}

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
