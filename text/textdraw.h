// Text entities on the preview, drawn glyph by glyph in four steps:
// DrawTextEntity resolves the record (layer-group scale, vertical writing,
// anchor) into a start point, a direction and a cell; DrawMarkedText
// resolves what the text itself says (negative width, the spread and squeeze
// marks at its end, a text variable, control codes); the runs it comes to,
// and their glyphs, are drawn by textrun.h.
//
// Cell sizes are preview lengths: the cell width is that of a full-width
// glyph, a half-width glyph takes half of it and half the spacing after it.
// Angles are radians. A face name starting with "@" asks for the vertical
// writing variant of the face; one starting with "@@" turns every glyph of
// the run by half a turn.
#pragma once

#include <cstdint>
#include <string_view>

#include "exchange/store.h"
#include "preview/blockboxes.h"
#include "preview/canvas.h"
#include "text/textrun.h"

// Draws a text record; image references are left to DrawImageRef. A colour
// override of 0 or more replaces the pen and text colours. The pen colour
// (the record's, or one a colour code set) stays on the canvas afterwards.
void DrawTextEntity(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride);

// The box DrawTextEntity culls a text by: a square about its start point
// that holds every glyph of the text, whatever its anchor and direction.
// A text variable's square holds its value as long as the value can be
// whatever the clock says, so neither the box nor the cull asks the clock.
// Unbounded for a variable the document context gives (its value may
// change without the store), and for an image reference, which
// DrawTextEntity leaves alone.
TCullBox TextEntityBox(const TJwwEntText& record);

// The text from (x1, y1) towards (x2, y2), after its marks, variable and
// control codes are resolved.
void DrawMarkedText(Canvas& canvas, int32_t style, std::string_view faceName, double x1, double y1,
                    double x2, double y2, double cellHeight, double cellWidth, double spacing,
                    std::string_view text);
