// Point markers: the shape drawn at a point entity, chosen by its marker
// code, turned by its angle and sized by its scale. Plain points are drawn
// with code 0 (a dot), scale 1 and angle 0.
//
// For now every code is drawn as the dot; the other shapes come later.
#pragma once

#include <cstdint>

#include "exchange/store.h"
#include "preview/canvas.h"

// Draws the marker of the code at the preview point (x, y). The angle is in
// radians; the scale is not divided by the group scale. A colour override of
// 0 or more replaces the colour.
void DrawPointMarker(Canvas& canvas, int32_t code, double x, double y, double angle, double scale,
                     int32_t flatLayer, int32_t colorNumber, int32_t colorOverride,
                     int32_t lineWidthNumber);

void DrawPointEntity(Canvas& canvas, const TJwwEntPoint& record, int32_t colorOverride);
void DrawCodedPointEntity(Canvas& canvas, const TJwwEntCodedPoint& record, int32_t colorOverride);
