// The area table a building permit drawing asks for, drawn into the store
// beside the outline so the preview shows exactly what OK sends: each
// triangle's number in a small circle at its centroid, the lengths the table
// uses as texts along their lines, for 三斜法 each height as a dotted line,
// and to the right of the outline the table itself, in grid lines and texts
// sized from the host's current text kind and the layer group's scale.
#pragma once

#include <cstdint>

#include "site/area.h"
#include "site/outline.h"

// The line type of the heights: the host's first dotted type.
inline constexpr int32_t kHeightLineType = 2;

// Adds the drawing of the result to the store in the current attributes,
// counting what it asks for; nothing when no triangle counts.
void AddAreaDrawing(const TOutlineSolution& solution, const TAreaResult& result,
                    TOutlineCounters& counters);
