// Large host drawings for the benchmarks: JWC_TEMP.TXT as the host leaves it
// (Shift-JIS, CR LF), with header lines at the top and a realistic mix of
// entities, mostly plain lines and polylines, then texts, circles and arcs,
// points, solids and dimensions, with attribute changes between them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A drawing that reads into exactly `entities` records; the same seed gives
// the same bytes.
std::string GenerateHostDrawing(size_t entities, uint32_t seed = 1);

// A sheet of texts alone: Japanese and Latin site texts in every text size,
// horizontal, vertical and turned, spread evenly over the sheet.
std::string GenerateTextDrawing(size_t texts, uint32_t seed = 1);

// A sheet of text variables alone (the era date most of all, dates and
// times now and of the file), placed as the sheet of texts places them.
std::string GenerateVariableTextDrawing(size_t texts, uint32_t seed = 1);
