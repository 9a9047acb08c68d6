// Plane geometry on doubles for the figures beyond a triangle's: a
// polygon's area, the part of it on one side of a line, where two lines
// meet and how far a point lies from a line. Stateless; Y grows upwards, so
// counter-clockwise is the positive turn.
#pragma once

#include <optional>
#include <vector>

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
