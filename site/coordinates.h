// The site's boundary and its coordinate table (座標求積表): the sides that
// belong to one counted triangle only, walked from corner to corner, and
// each corner listed with its coordinates in whole millimetres, so twice
// the area is the exact sum of Xn(Yn+1 - Yn-1) over the rows.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "site/outline.h"

// A counted triangle by its three point numbers.
using TCornerTriple = std::array<int32_t, 3>;

// The boundary's closed rings, each a list of point numbers with the last
// joined back to the first.
struct TBoundary {
  std::vector<std::vector<int32_t>> Rings;
  // A corner the boundary passes more than once (triangles touching at a
  // point only, or a side three triangles share).
  bool Pinched = false;
};

TBoundary SiteBoundary(const std::vector<TCornerTriple>& triangles);

// Twice the area the rings enclose, each ring counted positive, in the
// drawing's units squared.
double BoundaryDoubleArea(const TOutlineSolution& solution, const TBoundary& boundary);

// Why the coordinate table can be made or not.
enum class TOutlineShape : uint8_t {
  Simple,   // one closed chain without a corner passed twice
  Empty,    // no triangle counts
  Rings,    // a hole, or parts apart from each other
  Pinched,  // a corner the chain passes twice
  Overlap,  // triangles folded over others, or gaps between them
  TooFar,   // a listed coordinate beyond 1000 km
};

// The coordinate table's axes: as drawn (X right, Y up) or as surveyors
// list them (X north, Y east).
enum class TAreaAxes : uint8_t { Drawing, Survey };

// One corner's row, millimetres and square millimetres.
struct TCornerRow {
  int32_t Point = 0;
  int64_t X = 0;
  int64_t Y = 0;
  int64_t DY = 0;       // Yn+1 - Yn-1
  int64_t Product = 0;  // Xn(Yn+1 - Yn-1)
};

struct TCoordinateTable {
  TOutlineShape Shape = TOutlineShape::Empty;
  // From the lowest point number round the site the way that makes the
  // double area positive.
  std::vector<TCornerRow> Rows;
  int64_t DoubleArea = 0;  // mm², the sum of the products
};

// Where the listed coordinates start from: the axes, point 1's listed
// coordinates (mm) and the millimetres in a drawing unit.
struct TCoordinateFrame {
  TAreaAxes Axes = TAreaAxes::Drawing;
  int64_t OriginX = 0;
  int64_t OriginY = 0;
  double MmPerUnit = 1.0;
};

// The table of the triangles' boundary.
TCoordinateTable CoordinateTable(const TOutlineSolution& solution,
                                 const std::vector<TCornerTriple>& triangles,
                                 const TBoundary& boundary, const TCoordinateFrame& frame);
