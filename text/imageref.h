// Image references: the host keeps a placed picture as a text entity whose
// text is "^@BM", the picture's file name, a comma and its width and height.
// The preview shows each one as a hatched rectangle of the picture's size;
// the picture file itself is never opened.
#pragma once

#include <cstdint>

#include "exchange/imagereftext.h"
#include "exchange/store.h"
#include "preview/canvas.h"

// Draws the image reference of a text record as a rectangle hatched
// backward-diagonally in the layer's colour: its lower-left corner at the
// scaled start point, its size as it stands. Other texts are left alone. A
// colour override of 0 or more replaces the pen and brush colours.
void DrawImageRef(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride);
