// The outline's corners as a SIMA coordinate file (.sim), the common
// format of the survey instrument makers that surveying and CAD programs
// exchange: Shift-JIS text, CR LF, a record a line, its fields apart by
// commas, its kind first. Written are the header (G00), the coordinates
// (a Z00 title, then A00, an A01 per corner with its number, name, X, Y and
// Z, and A99) and the outline as one parcel (a Z00 title, then D00, a B01 per
// corner round the site clockwise on the map, and D99). X is north and Y
// east in m, as surveyors list them, whatever the table's axes; Z is left
// empty, the drawing having no heights.
#pragma once

#include <string>

#include "site/area.h"

// The file's bytes; empty when the outline is no simple ring.
std::string SimaFile(const TAreaResult& result);
