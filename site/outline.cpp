// The point computation: turns the typed distances into corner points, and
// puts their markers, number labels and distance lines into the exchange
// store.
#include "site/outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "common/geometry.h"
#include "common/numbers.h"
#include "exchange/store.h"
#include "exchange/tablefile.h"

namespace {

// Distances and the distance to point 2 below this count as missing.
constexpr double kMinDistance = 1e-8;

// One row of the table, parsed.
struct TOutlineRow {
  int32_t P1;
  double D1;
  int32_t P2;
  double D2;
  int32_t Side;  // 0 = left of partner 1 -> partner 2, 1 = right
};

TOutlineRow ParseRow(const TTableRow& cells) {
  return {TextToInt(cells[0]), TextToReal(cells[1]), TextToInt(cells[2]), TextToReal(cells[3]),
          TextToInt(cells[4]) == 0 ? 0 : 1};
}

bool IsPointNumber(int32_t p) {
  return p >= 1 && p <= kMaxPointNumber;
}

bool RowIsValid(const TOutlineRow& r) {
  return IsPointNumber(r.P1) && IsPointNumber(r.P2) && r.D1 >= kMinDistance && r.D2 >= kMinDistance;
}

TOutlineEntity NumberedPoint(int32_t n, double x, double y) {
  return {false, n, x, y, 0.0, 0.0};
}

TOutlineEntity MeasuredLine(double x1, double y1, double x2, double y2) {
  return {true, 0, x1, y1, x2, y2};
}

// Known coordinates by point number; a point not computed reads as the origin.
class PointTable {
 public:
  PointTable() : x_(kMaxPointNumber, 0.0), y_(kMaxPointNumber, 0.0) {}
  double X(int n) const { return x_[n - 1]; }
  double Y(int n) const { return y_[n - 1]; }
  void Set(int n, double x, double y) {
    x_[n - 1] = x;
    y_[n - 1] = y;
  }

 private:
  std::vector<double> x_;
  std::vector<double> y_;
};

// The point of the row on its side of partner 1 -> partner 2; false when the
// two circles do not meet, or when distances so large that their squares
// overflow leave no finite point to draw or send.
bool SolveRow(const PointTable& pts, const TOutlineRow& r, double& x, double& y) {
  const double x1 = pts.X(r.P1), y1 = pts.Y(r.P1);
  const double x2 = pts.X(r.P2), y2 = pts.Y(r.P2);
  double ax = 0.0, ay = 0.0, bx = 0.0, by = 0.0;
  if (CircleCross(x1, y1, r.D1, x2, y2, r.D2, ax, ay, bx, by) == 0) return false;
  double delta = DirectionDeg(ax - x1, ay - y1) - DirectionDeg(x2 - x1, y2 - y1);
  if (delta < 0) delta += 360.0;
  // After this A lies on the left of partner 1 -> partner 2 (or on it).
  if (delta > 180.0 && delta < 360.0) {
    ExchangeDoubles(ax, bx);
    ExchangeDoubles(ay, by);
  }
  x = r.Side == 0 ? ax : bx;
  y = r.Side == 0 ? ay : by;
  return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

const TSolvedPoint& TOutlineSolution::Point(int32_t n) const {
  static const TSolvedPoint unknown;
  return n >= 1 && static_cast<size_t>(n) <= Points.size() ? Points[static_cast<size_t>(n) - 1]
                                                           : unknown;
}

void ResetOutline(TOutlineCounters& counters) {
  EmptyOutlineKinds();
  counters = TOutlineCounters{};
}

TOutlineResult ComputeOutline(const TOutlineInput& input) {
  TOutlineResult result;
  result.Entities.push_back(NumberedPoint(1, 0.0, 0.0));
  const double r2 = TextToReal(input.Point2Distance);
  const double a2 = TextToReal(input.Point2Angle);
  if (r2 < kMinDistance) return result;
  result.Point2Missing = false;
  const double t = a2 / 180.0 * std::numbers::pi;
  const double x2 = std::cos(t) * r2;
  const double y2 = std::sin(t) * r2;
  result.Entities.push_back(MeasuredLine(0.0, 0.0, x2, y2));
  result.Entities.push_back(NumberedPoint(2, x2, y2));

  PointTable pts;
  pts.Set(2, x2, y2);
  TOutlineSolution& solution = result.Solution;
  solution.Point2Distance = input.Point2Distance;
  solution.Points.resize(kMaxPointNumber);
  solution.Points[0] = {true, 0.0, 0.0};
  solution.Points[1] = {true, x2, y2};
  const size_t rows = std::min(input.Rows.size(), static_cast<size_t>(kTableRows));
  for (size_t i = 0; i < rows; ++i) {
    const TTableRow& cells = input.Rows[i];
    if (IsBlankRow(cells)) break;
    const TOutlineRow r = ParseRow(cells);
    if (!RowIsValid(r)) break;
    const int32_t row = static_cast<int32_t>(i) + 1;
    double x = 0.0, y = 0.0;
    if (!SolveRow(pts, r, x, y)) {
      result.ErrorRows.push_back(row);
      continue;
    }
    const int32_t n = row + 2;
    pts.Set(n, x, y);
    result.Entities.push_back(MeasuredLine(pts.X(r.P1), pts.Y(r.P1), x, y));
    result.Entities.push_back(MeasuredLine(pts.X(r.P2), pts.Y(r.P2), x, y));
    result.Entities.push_back(NumberedPoint(n, x, y));
    solution.Rows.push_back({n, r.P1, r.P2, cells[1], cells[3]});
    solution.Points[static_cast<size_t>(n) - 1] = {true, x, y};
  }
  return result;
}

void AddOutline(const TOutlineResult& result, TOutlineCounters& counters) {
  ResetOutline(counters);
  for (const TOutlineEntity& e : result.Entities) {
    if (e.IsLine) {
      AddLine(e.X1, e.Y1, e.X2, e.Y2);
      ++counters.LineCount;
      continue;
    }
    // Every corner gets a marker and its number as a horizontal label.
    AddPoint(e.X1, e.Y1);
    ++counters.PointCount;
    AddText(0, std::to_string(e.Point), e.X1, e.Y1, 1.0, 0.0);
    ++counters.TextCount;
  }
}
