// The site outline from measured distances: point 1 at the origin, point 2
// by distance and direction, every further point by its distances from two
// known points and a side flag. ComputeOutline is a function from the
// table's values to a result; AddOutline puts the result's entities into the
// exchange store. What the window does with the rest (marking rows,
// redrawing) is the window's affair.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/tablefile.h"

// The typed values as Shift-JIS texts: the distance from point 1 to point 2,
// its direction in degrees, and the table's rows from row 1 (partner 1,
// distance 1, partner 2, distance 2, side).
struct TOutlineInput {
  std::string Point2Distance;
  std::string Point2Angle;
  std::vector<TTableRow> Rows;
  bool operator==(const TOutlineInput&) const = default;
};

// Add requests of each kind since the last ResetOutline, declined ones too.
struct TOutlineCounters {
  int32_t LineCount = 0;
  int32_t PointCount = 0;
  int32_t CircleCount = 0;
  int32_t TextCount = 0;
  int32_t Total() const { return LineCount + PointCount + CircleCount + TextCount; }
};

// A corner the computation fixed, by point number.
struct TSolvedPoint {
  bool Known = false;
  double X = 0.0;
  double Y = 0.0;
};

// A row the computation turned into a point: the point, its partners and
// the two distances as typed.
struct TSolvedRow {
  int32_t Point = 0;
  int32_t P1 = 0;
  int32_t P2 = 0;
  std::string D1;
  std::string D2;
};

// What a computation found, for the figures built on the outline (the
// area): point 2's distance as typed, the rows it solved in table order and
// the points, indexed by point number - 1 (empty when point 2 is missing).
struct TOutlineSolution {
  std::string Point2Distance;
  std::vector<TSolvedRow> Rows;
  std::vector<TSolvedPoint> Points;
  const TSolvedPoint& Point(int32_t n) const;
};

// One entity of the outline: a measured line from (X1, Y1) to (X2, Y2), or
// the marker of corner Point at (X1, Y1) with its number as a label.
struct TOutlineEntity {
  bool IsLine = false;
  int32_t Point = 0;
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
};

struct TOutlineResult {
  // Point 2's distance is missing: only point 1 stands, and nothing of the
  // table is read.
  bool Point2Missing = true;
  // In the order they go into the store (and so to the host).
  std::vector<TOutlineEntity> Entities;
  // Table rows (1-based) whose circles do not meet: their point is left out.
  std::vector<int32_t> ErrorRows;
  TOutlineSolution Solution;
};

// The outline of the table's values; reads rows up to the first blank or
// incomplete one.
TOutlineResult ComputeOutline(const TOutlineInput& input);

// Empties the outline kinds of the store and zeroes the counters.
void ResetOutline(TOutlineCounters& counters);

// The store's outline made anew from the result, each entity in order.
void AddOutline(const TOutlineResult& result, TOutlineCounters& counters);
