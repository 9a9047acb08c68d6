// The parts of a site that count as road. A setback (道路後退) moves a side
// of the outline inward by its depth, to the line the road is taken to
// reach (みなし道路境界線); the strip between, up to the neighbouring sides,
// is cut from the site exactly: what is left is the outline with that
// side's line moved, each corner where two lines now meet. A corner cut
// (隅切り) takes the triangle with equal legs and the given base (cut line)
// off a corner, the corner of the sides as set back. The figures are
// worked on the corners in whole millimetres, as the coordinate table
// lists them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/geometry.h"
#include "site/pointlist.h"

// A side set back and its moved line from corner to corner of what is
// left, in the drawing's units.
struct TSetbackLine {
  int32_t P = 0;
  int32_t Q = 0;
  int64_t Depth = 0;  // mm
  TPlanePoint From;
  TPlanePoint To;
};

// A corner cut: the corner (the apex, where the sides as set back meet) and
// the ends of its cut line, in the drawing's units.
struct TCornerCut {
  int32_t P = 0;
  int64_t Length = 0;  // the cut line, mm
  TPlanePoint Apex;
  TPlanePoint A;
  TPlanePoint B;
  int64_t AreaMm2 = 0;
};

struct TRoadParts {
  std::vector<TSetbackLine> Lines;
  std::vector<TCornerCut> Cuts;
  int64_t SetbackMm2 = 0;  // the strips together (where two meet, once)
  int64_t CutMm2 = 0;      // the cut triangles together
  // Why a setback or a cut was left out, UTF-8, a phrase each.
  std::vector<std::string> Refused;
};

// The road parts of the outline: ring is its corners' numbers in order round
// the site, cornersMm their positions in whole millimetres. Setbacks apply
// in the given order, then the cuts; one that does not fit is refused.
TRoadParts RoadParts(const std::vector<int32_t>& ring, const std::vector<TPlanePoint>& cornersMm,
                     const std::vector<TPointValue>& setbacks, const std::vector<TPointValue>& cuts,
                     double mmPerUnit);
