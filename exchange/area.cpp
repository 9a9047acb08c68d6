// The site's area by triangles, in exact decimals, with its cross-check by
// coordinates and the settings kept in the table files.
#include "exchange/area.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "common/decimal.h"
#include "common/myfunc.h"
#include "common/sjis.h"

namespace {

constexpr int kMinDecimals = 2;
constexpr int kMaxDecimals = 6;

// Millimetres in one unit of the typed lengths (and the coordinates).
double MmPerUnit(const TAreaSettings& s) {
  return s.Metres ? 1000.0 : 1.0;
}

std::optional<int64_t> TypedMm(const std::string& text, const TAreaSettings& s) {
  return TextToUnits(text, s.Metres ? 3 : 0);
}

using TPair = std::pair<int32_t, int32_t>;

TPair PairOf(int32_t p, int32_t q) {
  return {std::min(p, q), std::max(p, q)};
}

double Distance(const TSolvedPoint& p, const TSolvedPoint& q) {
  return PointDistance(p.X, p.Y, q.X, q.Y);
}

// 16 times the squared area of the triangle with these sides, mm^4; 0 when
// the sides make no triangle.
TUInt128 SixteenAreaSquared(int64_t a, int64_t b, int64_t c) {
  const int64_t f1 = a + b + c, f2 = -a + b + c, f3 = a - b + c, f4 = a + b - c;
  if (f2 <= 0 || f3 <= 0 || f4 <= 0) return 0;
  return static_cast<TUInt128>(f1) * static_cast<TUInt128>(f2) * static_cast<TUInt128>(f3) *
         static_cast<TUInt128>(f4);
}

void WorkOutTriangle(TAreaTriangle& t, const TAreaSettings& s) {
  const TUInt128 p = SixteenAreaSquared(t.A, t.B, t.C);
  // Area (mm²) = sqrt(p) / 4; in units of 10^-d m² it is that over 10^(6-d).
  t.Area = RoundedRootOver(p, 4 * PowerOfTen(kMaxDecimals - s.Decimals));
  const int64_t sides[] = {t.A, t.B, t.C};
  t.BaseSide = static_cast<int>(std::max_element(sides, sides + 3) - sides);
  t.Base = sides[t.BaseSide];
  // Height = 2 area / base = sqrt(p) / (2 base).
  t.Height = t.Base > 0 ? RoundedRootOver(p, 2 * t.Base) : 0;
  t.DoubleArea = t.Base * t.Height;
}

// Each point's check measurement, by point number - 1: the earlier known
// point nearest to it within the check distance, the lowest number of those
// equally near, as a search of every earlier point finds it. The points go
// into a grid of cells twice the check distance wide, so a point is
// measured only against those of the nine cells about it: a nearer one
// lies within half a cell, however the cell's index rounds. Far-out points
// are held in the grid's outer cells, which keeps neighbours neighbours;
// coordinates that are no finite numbers are near nothing.
std::vector<std::optional<TAreaCheck>> CheckMeasurements(const TOutlineSolution& sol,
                                                         double mmPerUnit) {
  const double cell = 2.0 * static_cast<double>(kCheckDistanceMm) / mmPerUnit;
  const auto index = [cell](double v) {
    return static_cast<int32_t>(std::clamp(std::floor(v / cell), -1e9, 1e9));
  };
  const auto key = [](int64_t ix, int64_t iy) {
    return (uint64_t{static_cast<uint32_t>(ix)} << 32) | static_cast<uint32_t>(iy);
  };
  std::unordered_map<uint64_t, std::vector<int32_t>> cells;
  std::vector<std::optional<TAreaCheck>> checks(sol.Points.size());
  for (int32_t n = 1; n <= static_cast<int32_t>(sol.Points.size()); ++n) {
    const TSolvedPoint& p = sol.Point(n);
    if (!p.Known || !std::isfinite(p.X) || !std::isfinite(p.Y)) continue;
    const int32_t ix = index(p.X), iy = index(p.Y);
    std::optional<TAreaCheck>& best = checks[static_cast<size_t>(n) - 1];
    double bestMm = 0.0;
    for (int64_t x = ix - 1; x <= ix + 1; ++x) {
      for (int64_t y = iy - 1; y <= iy + 1; ++y) {
        const auto it = cells.find(key(x, y));
        if (it == cells.end()) continue;
        for (const int32_t k : it->second) {
          const double mm = Distance(p, sol.Point(k)) * mmPerUnit;
          if (mm > static_cast<double>(kCheckDistanceMm)) continue;
          if (!best || mm < bestMm || (mm == bestMm && k < best->Near)) {
            best = TAreaCheck{n, k, RoundToInt(mm)};
            bestMm = mm;
          }
        }
      }
    }
    cells[key(ix, iy)].push_back(n);
  }
  return checks;
}

// Twice the area inside the site's boundary: the edges that belong to
// exactly one triangle, walked in order from corner to corner into closed
// rings. Triangles that tile the site give its outline; overlapping ones
// leave a ring that encloses less than their sum.
double BoundaryDoubleArea(const TOutlineSolution& sol, const std::vector<TAreaTriangle>& tris) {
  std::map<TPair, int> uses;
  for (const TAreaTriangle& t : tris) {
    for (const TPair& e : {PairOf(t.Point, t.P1), PairOf(t.Point, t.P2), PairOf(t.P1, t.P2)}) {
      ++uses[e];
    }
  }
  std::multimap<int32_t, int32_t> next;  // both ways along every boundary edge
  for (const auto& [e, n] : uses) {
    if (n != 1) continue;
    next.emplace(e.first, e.second);
    next.emplace(e.second, e.first);
  }
  auto take = [&next](int32_t from, int32_t to) {
    for (auto [it, end] = next.equal_range(from); it != end; ++it) {
      if (it->second == to) {
        next.erase(it);
        return;
      }
    }
  };
  double total = 0.0;
  while (!next.empty()) {
    const int32_t start = next.begin()->first;
    int32_t at = start;
    double twice = 0.0;
    do {
      const auto it = next.find(at);
      if (it == next.end()) break;  // an open chain closes back to its start
      const int32_t to = it->second;
      next.erase(it);
      take(to, at);
      const TSolvedPoint &a = sol.Point(at), &b = sol.Point(to);
      twice += a.X * b.Y - b.X * a.Y;
      at = to;
    } while (at != start);
    const TSolvedPoint &a = sol.Point(at), &b = sol.Point(start);
    twice += a.X * b.Y - b.X * a.Y;
    total += std::abs(twice);
  }
  return total;
}

std::vector<int32_t> ParsePointList(const std::string& text) {
  std::vector<int32_t> points;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const int32_t n = TextToInt(StripBlanks(text.substr(start, end - start)));
    if (n >= 1 && n <= kMaxPointNumber) points.push_back(n);
    start = end + 1;
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

}  // namespace

bool TAreaSettings::Excluded(int32_t point) const {
  return std::binary_search(Exclude.begin(), Exclude.end(), point);
}

void TAreaSettings::ToggleExcluded(int32_t point) {
  const auto it = std::lower_bound(Exclude.begin(), Exclude.end(), point);
  if (it != Exclude.end() && *it == point) {
    Exclude.erase(it);
  } else {
    Exclude.insert(it, point);
  }
}

TAreaSettings AreaSettingsFromOptions(const TTableOptions& options) {
  TAreaSettings s;
  if (const auto v = OptionValue(options, "area.table")) s.Table = *v == "1";
  if (const auto v = OptionValue(options, "area.method")) {
    if (*v == "base-height") s.Method = TAreaMethod::BaseHeight;
  }
  if (const auto v = OptionValue(options, "area.unit")) s.Metres = *v == "m";
  if (const auto v = OptionValue(options, "area.decimals")) {
    const int32_t d = TextToInt(*v);
    if (d >= kMinDecimals && d <= kMaxDecimals) s.Decimals = d;
  }
  if (const auto v = OptionValue(options, "area.exclude")) s.Exclude = ParsePointList(*v);
  return s;
}

void AreaSettingsToOptions(const TAreaSettings& s, TTableOptions& options) {
  SetOption(options, "area.table", s.Table ? "1" : "");
  SetOption(options, "area.method", s.Method == TAreaMethod::BaseHeight ? "base-height" : "");
  SetOption(options, "area.unit", s.Metres ? "m" : "");
  SetOption(options, "area.decimals", s.Decimals != 6 ? std::to_string(s.Decimals) : "");
  std::string list;
  for (int32_t n : s.Exclude) {
    if (!list.empty()) list += ',';
    list += std::to_string(n);
  }
  SetOption(options, "area.exclude", list);
}

TAreaResult ComputeArea(const TOutlineSolution& sol, const TAreaSettings& settings) {
  TAreaSettings s = settings;
  s.Decimals = std::clamp(s.Decimals, kMinDecimals, kMaxDecimals);
  TAreaResult r;
  r.Method = s.Method;
  r.Decimals = s.Decimals;
  if (!sol.Point(2).Known) return r;
  const double mmPerUnit = MmPerUnit(s);
  const std::vector<std::optional<TAreaCheck>> checks = CheckMeasurements(sol, mmPerUnit);

  // The first typed measurement of each pair of points.
  std::map<TPair, std::optional<int64_t>> measured;
  int64_t exactMicro = 0;  // the triangles' areas to 10^-6 m², whatever the method
  measured.emplace(PairOf(1, 2), TypedMm(sol.Edit1, s));
  for (const TSolvedRow& row : sol.Rows) {
    const TSolvedPoint &p = sol.Point(row.Point), &p1 = sol.Point(row.P1), &p2 = sol.Point(row.P2);
    const std::optional<int64_t> b = TypedMm(row.D1, s), c = TypedMm(row.D2, s);
    std::optional<int64_t> a;
    if (const auto it = measured.find(PairOf(row.P1, row.P2)); it != measured.end()) a = it->second;
    if (!a && p1.Known && p2.Known) a = RoundToInt(Distance(p1, p2) * mmPerUnit);
    measured.emplace(PairOf(row.Point, row.P1), b);
    measured.emplace(PairOf(row.Point, row.P2), c);

    if (!p1.Known || !p2.Known || !p.Known) continue;
    if (const auto& check = checks[static_cast<size_t>(row.Point) - 1]) {
      r.Checks.push_back(*check);
      continue;
    }
    if (s.Excluded(row.Point)) continue;
    if (!a || !b || !c) continue;
    if (*a > kMaxSideMm || *b > kMaxSideMm || *c > kMaxSideMm) {
      r.TooLong.push_back(row.Point);
      continue;
    }
    TAreaTriangle t;
    t.Number = static_cast<int32_t>(r.Triangles.size()) + 1;
    t.Point = row.Point;
    t.P1 = row.P1;
    t.P2 = row.P2;
    t.A = *a;
    t.B = *b;
    t.C = *c;
    WorkOutTriangle(t, s);
    exactMicro += RoundedRootOver(SixteenAreaSquared(t.A, t.B, t.C), 4);
    r.Sum += s.Method == TAreaMethod::Heron ? t.Area : t.DoubleArea;
    r.Triangles.push_back(t);
  }

  r.SiteArea = s.Method == TAreaMethod::Heron ? CutUnits(r.Sum, s.Decimals, 2) : r.Sum / 20000;
  // The cross-check looks for overlapping or missing triangles, so it takes
  // the triangles' areas to the square millimetre: a rounded height alone
  // may move a 三斜法 area by 0.01 m² on a 20 m base.
  const double coordinate = BoundaryDoubleArea(sol, r.Triangles) * mmPerUnit * mmPerUnit / 2.0;
  r.CoordinateArea = RoundToInt(coordinate);
  r.Mismatch = std::abs(coordinate - static_cast<double>(exactMicro)) >
               static_cast<double>(kMismatchMicroM2);
  return r;
}

std::string AreaLength(int64_t mm) {
  return FormatUnits(mm, 3);
}

std::string TriangleArea(const TAreaResult& r, const TAreaTriangle& t) {
  return r.Method == TAreaMethod::Heron ? FormatUnits(t.Area, r.Decimals)
                                        : FormatUnits(t.DoubleArea, kMaxDecimals);
}

std::string AreaSum(const TAreaResult& r) {
  return FormatUnits(r.Sum, r.Method == TAreaMethod::Heron ? r.Decimals : kMaxDecimals);
}

std::string HalfSum(const TAreaResult& r) {
  // An odd double area halves to one more decimal, exactly.
  return r.Sum % 2 == 0 ? FormatUnits(r.Sum / 2, kMaxDecimals)
                        : FormatUnits(r.Sum * 5, kMaxDecimals + 1);
}

std::string SiteAreaText(const TAreaResult& r) {
  return FormatUnits(r.SiteArea, 2);
}

std::string AreaLine(const TAreaResult& r) {
  // Built by appending: GCC 12 at -O3 warns falsely on a literal put in
  // front of a string.
  std::string line;
  auto put = [&line](std::initializer_list<std::string_view> parts) {
    for (std::string_view p : parts) line.append(p);
  };
  if (!r.Triangles.empty()) {
    // One tsubo is 400/121 m²; cut like the area.
    const int64_t tsubo = r.SiteArea * 121 / 400;
    put({"敷地面積 ", SiteAreaText(r), "㎡（", FormatUnits(tsubo, 2), "坪） ",
         r.Method == TAreaMethod::Heron ? "ヘロン法" : "三斜法", "・",
         std::to_string(r.Triangles.size()), "三角形"});
  }
  auto gap = [&line] {
    if (!line.empty()) line.append("　");
  };
  for (const TAreaCheck& c : r.Checks) {
    gap();
    put({"点", std::to_string(c.Point), " は 点", std::to_string(c.Near), " と ",
         std::to_string(c.Millimetres), "mm 差"});
  }
  for (int32_t n : r.TooLong) {
    gap();
    put({"点", std::to_string(n), " の三角形は 10km を超える辺があり除外"});
  }
  if (r.Mismatch) {
    // Rounded, not cut: it is a pointer for the eye, not a figure to file.
    const int64_t centi = r.CoordinateArea / 10000 + (r.CoordinateArea % 10000 >= 5000 ? 1 : 0);
    gap();
    put({"三角形が重なっているか欠けています（座標では ", FormatUnits(centi, 2), "㎡）"});
  }
  return Sjis(line);
}
