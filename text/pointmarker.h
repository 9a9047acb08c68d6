// Point markers: the shape drawn at a point entity, chosen by its marker
// code (-7..11; any other code draws a filled circle), turned by its angle
// and sized by its scale. Plain points are drawn with code 0 (a dot), scale
// 1 and angle 0. Each shape is defined in a frame whose origin is the point
// and whose first axis runs along the angle, in multiples of the marker
// unit (the scale, or 1 when the scale is not above 1e-8).
#pragma once

#include <cstdint>

#include "exchange/store.h"
#include "preview/canvas.h"

// Draws the marker of the code at the preview point (x, y). The angle is in
// radians; the scale is not divided by the group scale, so a marker keeps
// its size whatever its layer group's scale. A colour override of 0 or
// more replaces the pen colour and the colour of any fill.
void DrawPointMarker(Canvas& canvas, int32_t code, double x, double y, double angle, double scale,
                     int32_t flatLayer, int32_t colorNumber, int32_t colorOverride,
                     int32_t lineWidthNumber);

void DrawPointEntity(Canvas& canvas, const TJwwEntPoint& record, int32_t colorOverride);
void DrawCodedPointEntity(Canvas& canvas, const TJwwEntCodedPoint& record, int32_t colorOverride);
