// The drawing extents: the world rectangle, in preview coordinates, that
// holds every drawn entity of the exchange store, and the fit that sets the
// view so the extents fill 90 % of the preview canvas, centred.
#pragma once

#include <cstdint>

#include "exchange/store.h"

// The extents of the last computation; (0, 0)-(0, 0) before the first one.
struct TDrawingExtents {
  double ExtMinX = 0.0;
  double ExtMinY = 0.0;
  double ExtMaxX = 0.0;
  double ExtMaxY = 0.0;
};

extern TDrawingExtents DrawingExtents;

// Sets the extents to the one point (x / divisor, y / divisor), clamped.
void StartExtents(double x, double y, double divisor);

// Widens the extents to hold (x / divisor, y / divisor), clamped.
void AddExtentPoint(double x, double y, double divisor);

// Adds the ends and the axis points inside the sweep of an elliptic arc;
// angles and tilt in degrees. Equal start and end mean the whole ellipse.
void AddArcExtents(double cx, double cy, double r, double start, double end, double flatness,
                   double tilt, double divisor);

// Computes the extents of the whole exchange store; of a store unchanged
// since the last computation (its records, group scales and drawing-size
// mode) they are taken as they were, without the walk.
void ComputeExtents();

// Sets ViewWidth and ViewHeight to the canvas size, computes the extents and
// sets ViewScale and the visible rectangle so the extents fill 90 % of the
// limiting direction, centred in both.
void FitViewToExtents(int32_t width, int32_t height);
