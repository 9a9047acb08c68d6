// The preview's view arithmetic: pure functions from a view (the visible
// world rectangle and its scale) and pixel positions to another view. The
// window takes a view only within the limits (ViewWithinLimits), so no
// sequence of keys, notches or drags leads to a picture that cannot be drawn.
#pragma once

#include <cstdint>

#include "preview/gval.h"

// The view limits that keep every picture finite and drawable.
inline constexpr double kMinViewScale = 1e-9;
inline constexpr double kMaxViewScale = 1e15;
inline constexpr double kMaxViewCoordinate = 1e11;

bool ViewWithinLimits(const TView& v);

// The world point at a pixel of the view (x right, y down from the top).
double PixelToWorldX(const TView& v, double px);
double PixelToWorldY(const TView& v, double py);

// The view of width x height pixels at the scale, centred on (cx, cy).
TView CenteredView(double cx, double cy, double scale, int32_t width, int32_t height);
// The view moved by (dx, dy) world units.
TView MovedView(const TView& v, double dx, double dy);
// The view zoomed by the factor about the world point (wx, wy), which stays
// where it is on the screen.
TView ZoomedView(const TView& v, double wx, double wy, double factor);
// The box (x1, y1)-(x2, y2) filling a view of width x height pixels; a side
// shorter than the least box side counts as that long.
TView BoxView(double x1, double y1, double x2, double y2, int32_t width, int32_t height);
// Zoomed out so that the whole view shrinks into the box (x1, y1)-(x2, y2),
// at half its size at most.
TView ZoomedOutView(const TView& v, double x1, double y1, double x2, double y2, int32_t width,
                    int32_t height);
