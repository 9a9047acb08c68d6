// The site outline from measured distances: point 1 at the origin, point 2
// by distance and direction, every further point by its distances from two
// known points and a side flag. The window hands its edits and table in
// through OutlineTable and fills the redraw hook; the result is entities in
// the exchange store.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The window's input as Shift-JIS texts: Edit1 (distance to point 2), Edit2
// (its direction in degrees) and the table rows 1..RowCount(), each with
// cells 1..5 (partner 1, distance 1, partner 2, distance 2, side).
class OutlineTable {
 public:
  virtual ~OutlineTable() = default;
  virtual std::string Edit1Text() const = 0;
  virtual std::string Edit2Text() const = 0;
  virtual int RowCount() const = 0;
  virtual std::string Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, const std::string& text) = 0;
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
  std::string Edit1;
  std::vector<TSolvedRow> Rows;
  std::vector<TSolvedPoint> Points;
  const TSolvedPoint& Point(int32_t n) const;
};

// Empties the outline kinds of the store and zeroes the counters.
void ResetOutline(TOutlineCounters& counters);

// Rebuilds the outline in the store from the table; rows whose circles do not
// meet get "エラー" in column 5. Calls redraw at the end unless point 2 is
// missing. Fills solution, when given, with what it found.
void ComputeOutline(OutlineTable& table, TOutlineCounters& counters,
                    const std::function<void()>& redraw, TOutlineSolution* solution = nullptr);
