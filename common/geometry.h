// The small plane-geometry kit the outline, the preview and the texts rest
// on. Stateless. Angles are radians unless the name says degrees;
// directions run counter-clockwise from +X with Y upwards.
#pragma once

#include <utility>

// Swaps the two values.
inline void ExchangeDoubles(double& a, double& b) {
  std::swap(a, b);
}

// Euclidean distance between the two points.
double PointDistance(double x1, double y1, double x2, double y2);

// Direction of the vector in [0, 2 pi); 0 when both components are below 1e-10.
double DirectionRad(double x, double y);

// Direction of the vector in degrees, rounded to 1e-10 degree.
double DirectionDeg(double x, double y);

// The point (x, y) turned counter-clockwise by a about (cx, cy).
double RotateX(double x, double y, double cx, double cy, double a);
double RotateY(double x, double y, double cx, double cy, double a);

// Intersection of the lines through the two segments: 0 when parallel (or
// both vertical) and x, y untouched; 1 when inside both segments' boxes
// widened by 1e-8; 2 when outside them.
int SegmentCross(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                 double y4, double& x, double& y);

// The points at distance r1 from centre 1 and r2 from centre 2: 0 when none
// (outputs untouched), 1 when touching (A = B), 2 otherwise. A lies on the
// left of the direction centre 2 -> centre 1, B on its right.
int CircleCross(double x1, double y1, double r1, double x2, double y2, double r2, double& ax,
                double& ay, double& bx, double& by);
