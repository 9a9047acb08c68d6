// Text entities on the preview: the record's start point, anchor, direction
// and cell size, resolved with the scale of its layer group.
//
// For now a text is shown as the outline of the box it will take; the glyphs
// come later.
#pragma once

#include <cstdint>

#include "exchange/store.h"
#include "preview/canvas.h"

// Draws a text record; image references are left to DrawImageRef. A colour
// override of 0 or more replaces the pen colour.
void DrawTextEntity(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride);
