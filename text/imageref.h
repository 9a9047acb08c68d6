// Image references: the host keeps a placed picture as a text entity whose
// text is "^@BM", the picture's file name, a comma and its width and height.
// The preview shows each one as a hatched rectangle of the picture's size;
// the picture file itself is never opened.
#pragma once

#include <cstdint>
#include <string_view>

#include "exchange/store.h"
#include "preview/canvas.h"

// True for an image reference: the text starts with "^@BM" and holds a comma.
bool IsImageRef(std::string_view text);

// True for an image reference; w and h then hold its width and height. With one number the height
// is the width; a number that does not read gives 0.0, and numbers after the second are ignored.
bool ParseImageRef(std::string_view text, double& w, double& h);

// Draws the image reference of a text record as a rectangle hatched
// backward-diagonally in the layer's colour: its lower-left corner at the
// scaled start point, its size as it stands. Other texts are left alone. A
// colour override of 0 or more replaces the pen and brush colours.
void DrawImageRef(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride);
