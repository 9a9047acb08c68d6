// Cohen-Sutherland outcodes and the one-pass segment clip of the preview,
// cutting each end onto the edges it lies beyond.
#include "preview/clipping.h"

#include <cmath>

namespace {

constexpr double kEdgeTolerance = 1e-12;

// Moves the end (x, y), whose outcode is code, onto each edge it lies beyond,
// one edge after the other, interpolating along the uncut segment from (ox,
// oy) with direction (dx, dy). An edge parallel to the segment is skipped.
void CutEnd(double& x, double& y, int code, double ox, double oy, double dx, double dy, double xmin,
            double ymin, double xmax, double ymax) {
  bool cutsX = std::fabs(dx) > kEdgeTolerance;
  bool cutsY = std::fabs(dy) > kEdgeTolerance;
  if ((code & kClipLeft) && cutsX) {
    x = xmin;
    y = oy + (xmin - ox) * dy / dx;
    code = ClipOutcode(x, y, xmin, ymin, xmax, ymax);
  }
  if ((code & kClipRight) && cutsX) {
    x = xmax;
    y = oy + (xmax - ox) * dy / dx;
    code = ClipOutcode(x, y, xmin, ymin, xmax, ymax);
  }
  if ((code & kClipBottom) && cutsY) {
    y = ymin;
    x = ox + (ymin - oy) * dx / dy;
    code = ClipOutcode(x, y, xmin, ymin, xmax, ymax);
  }
  if ((code & kClipTop) && cutsY) {
    y = ymax;
    x = ox + (ymax - oy) * dx / dy;
  }
}

}  // namespace

int ClipOutcode(double x, double y, double xmin, double ymin, double xmax, double ymax) {
  int code = 0;
  if (x - xmin < kEdgeTolerance) code |= kClipLeft;
  if (x - xmax > -kEdgeTolerance) code |= kClipRight;
  if (y - ymin < kEdgeTolerance) code |= kClipBottom;
  if (y - ymax > -kEdgeTolerance) code |= kClipTop;
  return code;
}

int PointVisible(double x, double y, double xmin, double ymin, double xmax, double ymax) {
  return ClipOutcode(x, y, xmin, ymin, xmax, ymax) == 0 ? 0 : 2;
}

int ClipBoxTest(double x1, double y1, double x2, double y2, double xmin, double ymin, double xmax,
                double ymax) {
  int e1 = ClipOutcode(x1, y1, xmin, ymin, xmax, ymax);
  int e2 = ClipOutcode(x2, y2, xmin, ymin, xmax, ymax);
  if (e1 == 0 && e2 == 0) return 0;
  return (e1 & e2) != 0 ? 2 : 1;
}

int ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                double xmax, double ymax) {
  int e1 = ClipOutcode(x1, y1, xmin, ymin, xmax, ymax);
  int e2 = ClipOutcode(x2, y2, xmin, ymin, xmax, ymax);
  if (e1 == 0 && e2 == 0) return 0;
  if ((e1 & e2) != 0) return 2;
  double ox = x1;
  double oy = y1;
  double dx = x2 - x1;
  double dy = y2 - y1;
  CutEnd(x1, y1, e1, ox, oy, dx, dy, xmin, ymin, xmax, ymax);
  CutEnd(x2, y2, e2, ox, oy, dx, dy, xmin, ymin, xmax, ymax);
  if (std::fabs(x2 - x1) < kEdgeTolerance && std::fabs(y2 - y1) < kEdgeTolerance) return 2;
  return 1;
}

bool ClipSegmentToBox(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                      double xmax, double ymax) {
  double dx = x2 - x1;
  double dy = y2 - y1;
  double t0 = 0.0;
  double t1 = 1.0;
  // Each edge as p * t <= q: the part of the segment on the inner side.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t0) t0 = t;
    } else if (t < t1) {
      t1 = t;
    }
  }
  if (!(t0 <= t1)) return false;
  // An end that needs no cut keeps its exact value.
  double sx = x1;
  double sy = y1;
  if (t0 > 0.0) {
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
  }
  if (t1 < 1.0) {
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
  }
  return true;
}
