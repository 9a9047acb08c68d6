// The boundary walk and the coordinate table, on whole millimetres.
#include "site/coordinates.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

#include "common/numbers.h"

namespace {

// Listed coordinates beyond this (1000 km) are no site's; they keep every
// row's product within 64 bits.
constexpr int64_t kMaxCoordinateMm = 1'000'000'000;
// Twice 0.01 m²: a sliver's corners rounded to the millimetre may turn it
// over, which no overlap a reviewer would care for does.
constexpr int64_t kOverlapSlackMm2 = 20'000;

using TPair = std::pair<int32_t, int32_t>;

__extension__ typedef __int128 TInt128;

TPair PairOf(int32_t p, int32_t q) {
  return {std::min(p, q), std::max(p, q)};
}

}  // namespace

TBoundary SiteBoundary(const std::vector<TCornerTriple>& triangles) {
  std::map<TPair, int> uses;
  for (const TCornerTriple& t : triangles) {
    for (const TPair& e : {PairOf(t[0], t[1]), PairOf(t[0], t[2]), PairOf(t[1], t[2])}) ++uses[e];
  }
  std::multimap<int32_t, int32_t> next;  // both ways along every boundary edge
  std::map<int32_t, int> degree;
  for (const auto& [e, n] : uses) {
    if (n != 1) continue;
    next.emplace(e.first, e.second);
    next.emplace(e.second, e.first);
    ++degree[e.first];
    ++degree[e.second];
  }
  TBoundary b;
  b.Pinched =
      std::any_of(degree.begin(), degree.end(), [](const auto& d) { return d.second != 2; });
  auto take = [&next](int32_t from, int32_t to) {
    for (auto [it, end] = next.equal_range(from); it != end; ++it) {
      if (it->second == to) {
        next.erase(it);
        return;
      }
    }
  };
  while (!next.empty()) {
    const int32_t start = next.begin()->first;
    std::vector<int32_t> ring{start};
    int32_t at = start;
    for (;;) {
      const auto it = next.find(at);
      if (it == next.end()) break;  // an open chain closes back to its start
      const int32_t to = it->second;
      next.erase(it);
      take(to, at);
      if (to == start) break;
      ring.push_back(to);
      at = to;
    }
    b.Rings.push_back(std::move(ring));
  }
  return b;
}

double BoundaryDoubleArea(const TOutlineSolution& sol, const TBoundary& boundary) {
  double total = 0.0;
  for (const std::vector<int32_t>& ring : boundary.Rings) {
    double twice = 0.0;
    for (size_t i = 0; i < ring.size(); ++i) {
      const TSolvedPoint &a = sol.Point(ring[i]), &b = sol.Point(ring[(i + 1) % ring.size()]);
      twice += a.X * b.Y - b.X * a.Y;
    }
    total += std::abs(twice);
  }
  return total;
}

TCoordinateTable CoordinateTable(const TOutlineSolution& sol,
                                 const std::vector<TCornerTriple>& triangles,
                                 const TBoundary& boundary, const TCoordinateFrame& frame) {
  TCoordinateTable t;
  if (boundary.Rings.empty()) return t;
  t.Shape = boundary.Pinched            ? TOutlineShape::Pinched
            : boundary.Rings.size() > 1 ? TOutlineShape::Rings
                                        : TOutlineShape::Simple;
  if (t.Shape != TOutlineShape::Simple) return t;
  // A point as drawn, in whole millimetres.
  auto drawn = [&](int32_t n) {
    const TSolvedPoint& p = sol.Point(n);
    return std::array<int64_t, 2>{RoundToInt(p.X * frame.MmPerUnit),
                                  RoundToInt(p.Y * frame.MmPerUnit)};
  };
  std::vector<int32_t> ring = boundary.Rings.front();
  std::rotate(ring.begin(), std::min_element(ring.begin(), ring.end()), ring.end());
  const bool survey = frame.Axes == TAreaAxes::Survey;
  for (const int32_t n : ring) {
    const auto [x, y] = drawn(n);
    TCornerRow row;
    row.Point = n;
    row.X = (survey ? y : x) + frame.OriginX;
    row.Y = (survey ? x : y) + frame.OriginY;
    if (std::llabs(row.X) > kMaxCoordinateMm || std::llabs(row.Y) > kMaxCoordinateMm) {
      return {TOutlineShape::TooFar, {}, 0};
    }
    t.Rows.push_back(row);
  }
  auto work = [&t] {
    const size_t n = t.Rows.size();
    // Partial sums of far-off coordinates may pass 64 bits; the total is
    // twice the area.
    TInt128 sum = 0;
    for (size_t i = 0; i < n; ++i) {
      TCornerRow& r = t.Rows[i];
      r.DY = t.Rows[(i + 1) % n].Y - t.Rows[(i + n - 1) % n].Y;
      r.Product = r.X * r.DY;
      sum += r.Product;
    }
    return static_cast<int64_t>(sum);
  };
  t.DoubleArea = work();
  if (t.DoubleArea < 0) {
    // The other way round, from the same first corner.
    std::reverse(t.Rows.begin() + 1, t.Rows.end());
    t.DoubleArea = work();
  }
  // On the same corners, triangles that tile the ring add up to its area
  // exactly; folded or overlapping ones add up to more.
  TInt128 tiles = 0;
  for (const TCornerTriple& tri : triangles) {
    const auto a = drawn(tri[0]), b = drawn(tri[1]), c = drawn(tri[2]);
    const TInt128 cross = static_cast<TInt128>(b[0] - a[0]) * (c[1] - a[1]) -
                          static_cast<TInt128>(c[0] - a[0]) * (b[1] - a[1]);
    tiles += cross < 0 ? -cross : cross;
  }
  if (tiles - t.DoubleArea > kOverlapSlackMm2) return {TOutlineShape::Overlap, {}, 0};
  return t;
}
