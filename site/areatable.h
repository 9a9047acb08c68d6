// The area table a building permit drawing asks for, drawn into the store
// beside the outline so the preview shows exactly what OK sends: for the
// triangle methods each triangle's number in a small circle at its
// centroid, the lengths the table uses as texts along their lines, for 三斜法
// each height as a dotted line; to the right of the outline the table
// itself, in grid lines and texts sized from the host's current text kind
// and the layer group's scale, down to the site area once the road's parts
// are taken off. Setback lines and corner cuts are drawn whenever they are
// asked for, the check distances as dimensions by their setting. The same
// table goes to a spreadsheet as tab-separated text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "site/area.h"
#include "site/outline.h"

// The line type of the heights: the host's first dotted type.
inline constexpr int32_t kHeightLineType = 2;
// The line type of a setback's moved line: the host's second dotted type,
// of longer dashes.
inline constexpr int32_t kSetbackLineType = 3;

// Adds the drawing of the result to the store in the current attributes,
// counting what it asks for; nothing when no triangle counts.
void AddAreaDrawing(const TOutlineSolution& solution, const TAreaResult& result,
                    TOutlineCounters& counters);

// The table's cells, Shift-JIS: the header, a row per triangle or corner,
// the totals with their figure in the last column.
std::vector<std::vector<std::string>> AreaTableCells(const TAreaResult& result);

// The site area the table prints below itself: "敷地面積 441.03㎡", with the
// 坪 in brackets when the settings ask for them.
std::string SiteAreaCaption(const TAreaResult& result);

// The table for a spreadsheet, Shift-JIS: cells tab-separated, lines ending
// CR LF, the site area (and the 坪) on lines of their own at the end.
std::string AreaTableTsv(const TAreaResult& result);
