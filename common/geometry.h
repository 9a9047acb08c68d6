// The small plane-geometry kit the outline, the preview and the texts rest
// on, and the polygons of the site's figures beyond a triangle's: a
// polygon's area, the part of it on one side of a line, where two lines
// meet and how far a point lies from a line. Stateless. Angles are radians
// unless the name says degrees; directions run counter-clockwise from +X
// with Y upwards, so counter-clockwise is the positive turn.
#pragma once

#include <optional>
#include <utility>
#include <vector>

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

struct TPlanePoint {
  double X = 0.0;
  double Y = 0.0;
};

// Twice the signed area: positive when the corners run counter-clockwise.
double PolygonDoubleArea(const std::vector<TPlanePoint>& polygon);

// The part of the polygon on the left of the directed line from a to b (or
// on it). A polygon the line cuts into several pieces keeps them joined by
// edges along the line, which enclose no area.
std::vector<TPlanePoint> ClipLeftOf(const std::vector<TPlanePoint>& polygon, TPlanePoint a,
                                    TPlanePoint b);

// Where the line through p in direction d meets the line through q in
// direction e; nothing when they are parallel.
std::optional<TPlanePoint> LineCross(TPlanePoint p, TPlanePoint d, TPlanePoint q, TPlanePoint e);

// How far p lies on the left of the directed line from a to b (negative on
// its right); 0 when a and b coincide.
double LeftDistance(TPlanePoint p, TPlanePoint a, TPlanePoint b);

// The unit vector along (x, y); (0, 0) for a zero vector.
TPlanePoint UnitVector(double x, double y);
