// Control codes inside a text: "^" and one character switch the style of
// what follows, change its colour, draw the next character raised, lowered,
// small or over the previous one, or switch code recognition off ("^*")
// and on again ("^^"). Malformed codes are written as text.
#pragma once

#include <cstdint>
#include <string_view>

#include "preview/canvas.h"

// Walks the text once, drawing plain stretches as runs with DrawTextRun and
// every effect glyph as a run of its own. (x1, y1) is the start point, angle
// the writing direction in radians; H, W and S the cell height, the cell
// width and the spacing. A colour code changes the canvas pen, and the
// change outlives the text.
void DrawControlledText(Canvas& canvas, int32_t style, std::string_view faceName, double x1,
                        double y1, double angle, double H, double W, double S,
                        std::string_view text);
