// The last two steps of the text chain, which the marked text and the
// control codes both come to: DrawTextRun makes one font for a run and
// steps along it; DrawGlyph outputs one glyph when a corner of its cell is
// in view.
//
// Cell sizes are preview lengths: the cell width is that of a full-width
// glyph, a half-width glyph takes half of it and half the spacing after it.
// Angles are radians. A face name starting with "@" asks for the vertical
// writing variant of the face; one starting with "@@" turns every glyph of
// the run by half a turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "preview/blockboxes.h"
#include "preview/canvas.h"

// TextStyle bits of a run.
inline constexpr int32_t kStyleBold = 1;
inline constexpr int32_t kStyleItalic = 2;
inline constexpr int32_t kStyleUnderline = 4;
inline constexpr int32_t kStyleStrikeOut = 8;

// One run in one font, taking its colour from the pen; the brush is left
// hollow. A run wholly out of view sets no font and draws nothing.
void DrawTextRun(Canvas& canvas, int32_t style, std::string_view faceName, double x, double y,
                 double angle, double cellHeight, double cellWidth, double spacing,
                 std::string_view text);

// One glyph whose cell's lower-left corner is (x, y) (its upper-left for a
// negative cell height), output at the cell's top-left screen pixel when at
// least one corner of the cell lies inside the view.
void DrawGlyph(Canvas& canvas, std::string_view glyph, double angle, double cellWidth,
               double cellHeight, double x, double y);

// The font record of a run: pixel height of the cell, pixel width of a
// half-width glyph, the angle as escapement, the style's weight and flags,
// the face name cut to the 31 bytes the record holds. Sizes beyond 32-bit
// range are held at its edge.
LogFont RunFont(int32_t style, std::string_view faceName, double angle, double cellHeight,
                double cellWidth);

// A square that holds every glyph of a run of the bytes written from
// (x, y): at most one advance per byte, a cell either way.
TCullBox RunSquare(double x, double y, size_t bytes, double cellHeight, double cellWidth,
                   double spacing);

// A face name beginning "@@" turns the run half a turn, which moves its
// start by a cell along and a cell down; true when it does.
bool TurnHalf(std::string_view faceName, double angle, double cellHeight, double cellWidth,
              double& x, double& y);
