// Line clipping against the visible world rectangle, in world coordinates,
// before anything is mapped to pixels. An edge counts as outside: a point on
// an edge, or within 1e-12 inside it, carries that edge's outcode bit.
#pragma once

// Outcode bits.
inline constexpr int kClipLeft = 1;
inline constexpr int kClipRight = 2;
inline constexpr int kClipBottom = 4;
inline constexpr int kClipTop = 8;

// Where (x, y) lies against the rectangle, as a set of the bits above; 0 is
// strictly inside by more than 1e-12 on every side.
int ClipOutcode(double x, double y, double xmin, double ymin, double xmax, double ymax);

// 0 when the point's outcode is 0, else 2.
int PointVisible(double x, double y, double xmin, double ymin, double xmax, double ymax);

// Two corner points: 0 when both are inside, 2 when both lie outside one
// edge, 1 otherwise.
int ClipBoxTest(double x1, double y1, double x2, double y2, double xmin, double ymin, double xmax,
                double ymax);

// One pass of Cohen-Sutherland without a loop: 0 when both ends are inside
// (ends unchanged), 1 when the ends were cut, 2 when nothing is to be drawn.
// Each end is cut once per outcode bit, in the order left, right, bottom,
// top, along the uncut segment. A segment passing outside a corner can come
// back as 1 with ends still outside, on its own line.
int ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                double xmax, double ymax);

// The part of a segment inside a closed box, cut exactly along the segment's
// own line however far outside its ends lie (Liang-Barsky). False when no
// part lies inside; the ends are then unspecified.
bool ClipSegmentToBox(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                      double xmax, double ymax);
