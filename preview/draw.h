// The drawing primitives of the preview: pens and brushes for an entity,
// screen lines and rectangles, and the world primitives (lines, boxes,
// ellipses and arcs as 72 chords, clipped polylines, filled polygons, the
// shapes of circular solids) that clip against the view before mapping to
// pixels. Every primitive draws on the canvas it is given and changes only
// its pen, brush and pixels. World angles are radians; tilt turns an ellipse
// counter-clockwise about its centre and flatness is the ratio of its second
// semi-axis to r.
#pragma once

#include <cstdint>

#include "preview/canvas.h"

// Pen style codes: 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 null, any
// other value solid.
PenStyle PenStyleFromCode(int32_t code);
// Brush style codes: 1 solid, 2..7 the hatches horizontal, vertical, forward
// diagonal, backward diagonal, cross, diagonal cross; any other value hollow.
BrushStyle BrushStyleFromCode(int32_t code);

// Hollow brush, then the pen's colour, width (pixels) and style; the mix is
// kept.
void SetPlainPen(Canvas& canvas, TColor color, int32_t styleCode, int32_t width);
void SetPlainBrush(Canvas& canvas, TColor color, int32_t styleCode);
// The pen's mix to xor, for the rubber band that is drawn twice to vanish.
void SetXorPen(Canvas& canvas);
// Only the pen's colour, or only the brush's, for a colour override.
void SetPenColor(Canvas& canvas, TColor color);
void SetBrushColor(Canvas& canvas, TColor color);

// The colour of an entity on the preview: grey for a greyed layer, the
// background for a hidden one, else the line colour of the colour number.
TColor EntityColor(int32_t flatLayer, int32_t colorNumber);
// Hollow brush and a one-pixel pen in EntityColor, solid for line type 1 or
// 31 and dotted for every other type.
void SetEntityPen(Canvas& canvas, int32_t flatLayer, int32_t colorNumber, int32_t lineType);
void SetEntityBrush(Canvas& canvas, int32_t flatLayer, int32_t colorNumber, int32_t brushStyleCode);

// The whole canvas in the background colour, copy mix; the brush is hollow
// afterwards.
void ClearView(Canvas& canvas, int32_t width, int32_t height);
// A line that includes its end pixel.
void ScreenLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A rectangle; one no wider than 2 pixels becomes a line, one no more than 2
// pixels both ways draws nothing.
void ScreenRect(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Hand Gval.ScreenPoints to the canvas's polyline or polygon call.
void DrawScreenPolyline(Canvas& canvas);
void DrawScreenPolygon(Canvas& canvas);

// The visible part of a world segment, end pixel included.
void WorldLine(Canvas& canvas, double x1, double y1, double x2, double y2);
// WorldLine of a segment known to lie within the view, unclipped.
void InViewLine(Canvas& canvas, double x1, double y1, double x2, double y2);
// An axis-parallel rectangle from two opposite corners; one that crosses the
// view edge is drawn as a clipped polygon.
void WorldBox(Canvas& canvas, double x1, double y1, double x2, double y2);
// The point of the ellipse at parameter angle theta.
void EllipsePoint(double cx, double cy, double r, double flatness, double tilt, double theta,
                  double& x, double& y);
// The whole ellipse as 72 chords of 5 degrees.
void WorldEllipse(Canvas& canvas, double cx, double cy, double r, double flatness, double tilt);
// The arc from start over sweep as 72 chords.
void WorldArc(Canvas& canvas, double cx, double cy, double r, double flatness, double tilt,
              double start, double sweep);
// Gval.WorldPoints as an open polyline, clipped; fewer than 2 points draw
// nothing.
void WorldPolyline(Canvas& canvas);
// Gval.WorldPoints filled with the brush and outlined with the pen; fewer
// than 3 points draw nothing. When the first edge is longer than 10000 pixels
// the ring is closed by appending point 0 and drawn as a clipped outline.
void WorldPolygon(Canvas& canvas);
// The shapes of circular solids, and the Codes of a filled arc that close it
// other than by the corner of its end tangents.
inline constexpr int32_t kShapeFilledArc = 101;
inline constexpr int32_t kShapeArcOutline = 111;
inline constexpr int32_t kShapeRing = 105;
inline constexpr double kCodeWholeEllipse = 100.0;
inline constexpr double kCodeSector = 0.0;
inline constexpr double kCodeChord = 5.0;

// The outline of a circular solid built in Gval.WorldPoints, drawn, and the
// buffer emptied. Shape 101 (filled; second input the solid's Code: 100 whole
// ellipse, 0 sector, 5 arc and chord, else the arc closed by the corner of
// its end tangents), 111 (outline of the arc, or the whole ellipse for Code
// 100), 105 (filled ring sector; second input the inner radius). Any other
// shape draws nothing.
void SolidArcShape(Canvas& canvas, int32_t shape, double codeOrInner, double cx, double cy,
                   double r, double flatness, double tilt, double start, double sweep);
