// The site's area by triangles or by coordinates, in exact decimals, with
// its cross-check and the settings kept in the table files.
#include "site/area.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "common/decimal.h"
#include "common/geometry.h"
#include "common/numbers.h"
#include "common/sjis.h"
#include "common/sjischars.h"

namespace {

constexpr int kMinDecimals = 2;
constexpr int kMaxDecimals = 6;
constexpr int kMaxRoundDecimals = 4;
constexpr int kMinHeightDecimals = 3;
constexpr int kMaxHeightDecimals = 5;

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
  // Height (mm) = 2 area / base = sqrt(p) / (2 base); each decimal past the
  // millimetre multiplies p by 100.
  const int64_t finer = PowerOfTen(s.HeightDecimals - 3);
  const TUInt128 scaled = p * static_cast<TUInt128>(finer * finer);
  t.Height = t.Base > 0 ? RoundedRootOver(scaled, 2 * t.Base) : 0;
  t.DoubleArea = t.Base * t.Height;
}

// A non-negative n / d made whole by the rule; an exact half rounds up.
int64_t RoundQuotient(TUInt128 n, TUInt128 d, TAreaRounding rule) {
  switch (rule) {
    case TAreaRounding::HalfUp:
      return static_cast<int64_t>((2 * n + d) / (2 * d));
    case TAreaRounding::Up:
      return static_cast<int64_t>((n + d - 1) / d);
    case TAreaRounding::Cut:
      break;
  }
  return static_cast<int64_t>(n / d);
}

// The area, sum / halves at sum decimals, brought to the site area's.
int64_t SiteAreaUnits(const TAreaResult& r, int64_t halves) {
  const int up = std::max(0, r.Settings.RoundDecimals - r.SumDecimals);
  const int down = std::max(0, r.SumDecimals - r.Settings.RoundDecimals);
  const TUInt128 n =
      static_cast<TUInt128>(std::max<int64_t>(r.Sum, 0)) * static_cast<TUInt128>(PowerOfTen(up));
  return RoundQuotient(n, static_cast<TUInt128>(halves * PowerOfTen(down)), r.Settings.Rounding);
}

// The fewest decimals, 2 at least, that show every row of the coordinate
// table exactly: coordinates to the centimetre need 4, not 6.
int CornerDecimals(const TCoordinateTable& t) {
  int d = kMaxDecimals;
  while (d > kMinDecimals && std::all_of(t.Rows.begin(), t.Rows.end(), [d](const TCornerRow& r) {
           return r.Product % PowerOfTen(kMaxDecimals - d + 1) == 0;
         })) {
    --d;
  }
  return d;
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

// A setting's whole number within its bounds, else the default kept.
void ReadBounded(const TTableOptions& options, std::string_view name, int low, int high,
                 int& value) {
  const auto v = OptionValue(options, name);
  if (!v) return;
  const int32_t n = TextToInt(*v);
  if (n >= low && n <= high && !StripBlanks(*v).empty()) value = n;
}

// "X,Y" in mm, each within 1000 km; both or neither.
void ReadOrigin(const std::string& text, TAreaSettings& s) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return;
  const auto x = TextToUnits(StripBlanks(text.substr(0, comma)), 0);
  const auto y = TextToUnits(StripBlanks(text.substr(comma + 1)), 0);
  constexpr int64_t kFar = 1'000'000'000;
  if (!x || !y || std::llabs(*x) > kFar || std::llabs(*y) > kFar) return;
  s.OriginX = *x;
  s.OriginY = *y;
}

// The tolerance of the checks: "kou2", "kou1" or whole millimetres.
void ReadTolerance(const std::string& text, TCheckTolerance& t) {
  if (text == "kou1") t = {TToleranceRule::Kou1, 0};
  if (text == "kou2") t = {};
  const int32_t mm = TextToInt(text);
  if (mm >= 1 && mm <= kMaxToleranceMm &&
      text.find_first_not_of("0123456789") == std::string::npos) {
    t = {TToleranceRule::Fixed, mm};
  }
}

std::string ToleranceText(const TCheckTolerance& t) {
  switch (t.Rule) {
    case TToleranceRule::Kou1:
      return "kou1";
    case TToleranceRule::Fixed:
      return std::to_string(t.FixedMm);
    case TToleranceRule::Kou2:
      break;
  }
  return "";
}

// The other way of bringing a figure to its decimals: a part taken off the
// site, brought so the site is never more than the rule would give.
TAreaRounding Opposite(TAreaRounding rule) {
  switch (rule) {
    case TAreaRounding::Cut:
      return TAreaRounding::Up;
    case TAreaRounding::Up:
      return TAreaRounding::Cut;
    case TAreaRounding::HalfUp:
      break;
  }
  return rule;
}

// A road part's square millimetres at the site area's decimals.
int64_t PartUnits(const TAreaResult& r, int64_t mm2) {
  return RoundQuotient(static_cast<TUInt128>(std::max<int64_t>(mm2, 0)) *
                           static_cast<TUInt128>(PowerOfTen(r.Settings.RoundDecimals)),
                       static_cast<TUInt128>(PowerOfTen(6)), Opposite(r.Settings.Rounding));
}

// Why the outline allows no coordinate table, UTF-8.
const char* ReasonText(TOutlineShape shape) {
  switch (shape) {
    case TOutlineShape::Simple:
      break;
    case TOutlineShape::Empty:
      return "数える三角形がありません";
    case TOutlineShape::Rings:
      return "外周が一つにつながりません（穴か離れた部分があります）";
    case TOutlineShape::Pinched:
      return "外周が一つの点で接しています";
    case TOutlineShape::Overlap:
      return "三角形が重なっているか欠けています";
    case TOutlineShape::TooFar:
      return "座標が 1000km を超えます";
  }
  return "";
}

// Setbacks and corner cuts on the outline's corners in whole millimetres,
// as the coordinate table has them.
void TakeRoadParts(const TOutlineSolution& sol, const TBoundary& boundary, const TAreaSettings& s,
                   TAreaResult& r) {
  if (s.Setbacks.empty() && s.Cuts.empty()) return;
  if (r.Coordinates.Shape != TOutlineShape::Simple) {
    r.RoadRefused = std::string("道路後退・隅切りができません：") + ReasonText(r.Coordinates.Shape);
    return;
  }
  const double mmPerUnit = MmPerUnit(s);
  const std::vector<int32_t>& ring = boundary.Rings.front();
  std::vector<TPlanePoint> corners;
  for (const int32_t n : ring) {
    const TSolvedPoint& p = sol.Point(n);
    corners.push_back({static_cast<double>(RoundToInt(p.X * mmPerUnit)),
                       static_cast<double>(RoundToInt(p.Y * mmPerUnit))});
  }
  r.Road = RoadParts(ring, corners, s.Setbacks, s.Cuts, mmPerUnit);
  r.SetbackArea = PartUnits(r, r.Road.SetbackMm2);
  r.CutArea = PartUnits(r, r.Road.CutMm2);
  r.SiteArea = r.MeasuredArea - r.SetbackArea - (r.Settings.CutOut ? r.CutArea : 0);
}

const char* const kRoundingNames[] = {"", "half-up", "up"};
const char* const kMethodNames[] = {"", "base-height", "coordinates"};

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
    if (*v == "coordinates") s.Method = TAreaMethod::Coordinates;
  }
  if (const auto v = OptionValue(options, "area.unit")) s.Metres = *v == "m";
  ReadBounded(options, "area.decimals", kMinDecimals, kMaxDecimals, s.Decimals);
  if (const auto v = OptionValue(options, "area.round")) {
    if (*v == "half-up") s.Rounding = TAreaRounding::HalfUp;
    if (*v == "up") s.Rounding = TAreaRounding::Up;
  }
  ReadBounded(options, "area.round.decimals", 0, kMaxRoundDecimals, s.RoundDecimals);
  ReadBounded(options, "area.height.decimals", kMinHeightDecimals, kMaxHeightDecimals,
              s.HeightDecimals);
  if (const auto v = OptionValue(options, "area.tsubo")) s.Tsubo = *v == "1";
  if (const auto v = OptionValue(options, "area.axes")) {
    if (*v == "survey") s.Axes = TAreaAxes::Survey;
  }
  if (const auto v = OptionValue(options, "area.origin")) ReadOrigin(*v, s);
  if (const auto v = OptionValue(options, "area.exclude")) s.Exclude = ParsePointList(*v);
  if (const auto v = OptionValue(options, "area.check")) s.Checks = ReadPointValues(*v, true);
  if (const auto v = OptionValue(options, "area.tolerance")) ReadTolerance(*v, s.Tolerance);
  if (const auto v = OptionValue(options, "area.check.draw")) s.DrawChecks = *v == "1";
  if (const auto v = OptionValue(options, "area.setback")) s.Setbacks = ReadPointValues(*v, true);
  if (const auto v = OptionValue(options, "area.cut")) s.Cuts = ReadPointValues(*v, false);
  if (const auto v = OptionValue(options, "area.cut.out")) s.CutOut = *v == "1";
  return s;
}

void AreaSettingsToOptions(const TAreaSettings& s, TTableOptions& options) {
  SetOption(options, "area.table", s.Table ? "1" : "");
  SetOption(options, "area.method", kMethodNames[static_cast<size_t>(s.Method)]);
  SetOption(options, "area.unit", s.Metres ? "m" : "");
  SetOption(options, "area.decimals", s.Decimals != 6 ? std::to_string(s.Decimals) : "");
  SetOption(options, "area.round", kRoundingNames[static_cast<size_t>(s.Rounding)]);
  SetOption(options, "area.round.decimals",
            s.RoundDecimals != 2 ? std::to_string(s.RoundDecimals) : "");
  SetOption(options, "area.height.decimals",
            s.HeightDecimals != 3 ? std::to_string(s.HeightDecimals) : "");
  SetOption(options, "area.tsubo", s.Tsubo ? "1" : "");
  SetOption(options, "area.axes", s.Axes == TAreaAxes::Survey ? "survey" : "");
  SetOption(options, "area.origin",
            s.OriginX != 0 || s.OriginY != 0
                ? std::to_string(s.OriginX) + "," + std::to_string(s.OriginY)
                : "");
  std::string list;
  for (int32_t n : s.Exclude) {
    if (!list.empty()) list += ',';
    list += std::to_string(n);
  }
  SetOption(options, "area.exclude", list);
  SetOption(options, "area.check", WritePointValues(s.Checks));
  SetOption(options, "area.tolerance", ToleranceText(s.Tolerance));
  SetOption(options, "area.check.draw", s.DrawChecks ? "1" : "");
  SetOption(options, "area.setback", WritePointValues(s.Setbacks));
  SetOption(options, "area.cut", WritePointValues(s.Cuts));
  SetOption(options, "area.cut.out", s.CutOut ? "1" : "");
}

TAreaResult ComputeArea(const TOutlineSolution& sol, const TAreaSettings& settings) {
  TAreaSettings s = settings;
  s.Decimals = std::clamp(s.Decimals, kMinDecimals, kMaxDecimals);
  s.RoundDecimals = std::clamp(s.RoundDecimals, 0, kMaxRoundDecimals);
  s.HeightDecimals = std::clamp(s.HeightDecimals, kMinHeightDecimals, kMaxHeightDecimals);
  TAreaResult r;
  r.Method = s.Method;
  r.Settings = s;
  const double mmPerUnit = MmPerUnit(s);
  for (const TPointValue& v : s.Checks) {
    r.CheckDistances.push_back(CheckDistance(sol, v.P, v.Q, v.Mm, mmPerUnit, s.Tolerance));
  }
  const std::vector<std::optional<TAreaCheck>> checks = CheckMeasurements(sol, mmPerUnit);

  // The first typed measurement of each pair of points.
  std::map<TPair, std::optional<int64_t>> measured;
  int64_t exactMicro = 0;  // the triangles' areas to 10^-6 m², whatever the method
  measured.emplace(PairOf(1, 2), TypedMm(sol.Point2Distance, s));
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
      // The row's distances measured the earlier point again.
      for (const auto& [partner, d] : {std::pair{row.P1, b}, std::pair{row.P2, c}}) {
        if (partner == check->Near || !d) continue;
        r.CheckDistances.push_back(
            CheckDistance(sol, check->Near, partner, *d, mmPerUnit, s.Tolerance));
      }
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
    r.Triangles.push_back(t);
  }

  // The cross-check looks for overlapping or missing triangles, so it takes
  // the triangles' areas to the square millimetre: a rounded height alone
  // may move a 三斜法 area by 0.01 m² on a 20 m base.
  std::vector<TCornerTriple> corners;
  corners.reserve(r.Triangles.size());
  for (const TAreaTriangle& t : r.Triangles) corners.push_back({t.Point, t.P1, t.P2});
  const TBoundary boundary = SiteBoundary(corners);
  const double coordinate = BoundaryDoubleArea(sol, boundary) * mmPerUnit * mmPerUnit / 2.0;
  r.CoordinateArea = RoundToInt(coordinate);
  r.Mismatch = std::abs(coordinate - static_cast<double>(exactMicro)) >
               static_cast<double>(kMismatchMicroM2);
  r.Coordinates =
      CoordinateTable(sol, corners, boundary, {s.Axes, s.OriginX, s.OriginY, mmPerUnit});

  if (r.Method == TAreaMethod::Coordinates && r.Coordinates.Shape != TOutlineShape::Simple) {
    r.Method = TAreaMethod::Heron;
    r.CoordinatesRefused = true;
  }
  int64_t halves = 2;
  switch (r.Method) {
    case TAreaMethod::Heron:
      r.SumDecimals = r.Settings.Decimals;
      for (const TAreaTriangle& t : r.Triangles) r.Sum += t.Area;
      halves = 1;
      break;
    case TAreaMethod::BaseHeight:
      r.SumDecimals = 3 + r.Settings.HeightDecimals;
      for (const TAreaTriangle& t : r.Triangles) r.Sum += t.DoubleArea;
      break;
    case TAreaMethod::Coordinates:
      r.SumDecimals = CornerDecimals(r.Coordinates);
      r.Sum = r.Coordinates.DoubleArea / PowerOfTen(kMaxDecimals - r.SumDecimals);
      break;
  }
  r.MeasuredArea = SiteAreaUnits(r, halves);
  r.SiteArea = r.MeasuredArea;
  if (!r.Triangles.empty()) TakeRoadParts(sol, boundary, s, r);
  return r;
}

std::string AreaLength(int64_t mm) {
  return FormatUnits(mm, 3);
}

std::string HeightLength(const TAreaResult& r, int64_t height) {
  return FormatUnits(height, r.Settings.HeightDecimals);
}

std::string TriangleArea(const TAreaResult& r, const TAreaTriangle& t) {
  return r.Method == TAreaMethod::Heron ? FormatUnits(t.Area, r.SumDecimals)
                                        : FormatUnits(t.DoubleArea, r.SumDecimals);
}

std::string CornerProduct(const TAreaResult& r, const TCornerRow& c) {
  return FormatUnits(c.Product / PowerOfTen(kMaxDecimals - r.SumDecimals), r.SumDecimals);
}

std::string AreaSum(const TAreaResult& r) {
  return FormatUnits(r.Sum, r.SumDecimals);
}

std::string HalfSum(const TAreaResult& r) {
  // An odd double area halves to one more decimal, exactly.
  return r.Sum % 2 == 0 ? FormatUnits(r.Sum / 2, r.SumDecimals)
                        : FormatUnits(r.Sum * 5, r.SumDecimals + 1);
}

std::string SiteAreaText(const TAreaResult& r) {
  return AreaUnitsText(r, r.SiteArea);
}

std::string AreaUnitsText(const TAreaResult& r, int64_t units) {
  return FormatUnits(units, r.Settings.RoundDecimals);
}

std::string TsuboText(const TAreaResult& r) {
  // One tsubo is 400/121 m²; the printed site area in hundredths of a tsubo.
  const TUInt128 n = static_cast<TUInt128>(std::max<int64_t>(r.SiteArea, 0)) * 121 * 100;
  return FormatUnits(
      RoundQuotient(n, 400 * static_cast<TUInt128>(PowerOfTen(r.Settings.RoundDecimals)),
                    TAreaRounding::Cut),
      2);
}

std::string ShapeReason(TOutlineShape shape) {
  return Sjis(ReasonText(shape));
}

std::string AreaLine(const TAreaResult& r) {
  // Built by appending: GCC 12 at -O3 warns falsely on a literal put in
  // front of a string.
  std::string line;
  auto put = [&line](std::initializer_list<std::string_view> parts) {
    for (std::string_view p : parts) line.append(p);
  };
  if (!r.Triangles.empty()) {
    put({"敷地面積 ", SiteAreaText(r), "㎡（", TsuboText(r), "坪） "});
    if (r.Method == TAreaMethod::Coordinates) {
      put({"座標法・", std::to_string(r.Coordinates.Rows.size()), "点"});
    } else {
      put({r.Method == TAreaMethod::Heron ? "ヘロン法" : "三斜法", "・",
           std::to_string(r.Triangles.size()), "三角形"});
    }
    if (r.RoadTaken()) {
      put({"（実測 ", AreaUnitsText(r, r.MeasuredArea), "㎡"});
      if (!r.Road.Lines.empty()) put({"－後退 ", AreaUnitsText(r, r.SetbackArea), "㎡"});
      if (!r.Road.Cuts.empty()) {
        put({r.Settings.CutOut ? "－隅切り " : "・隅切り ", AreaUnitsText(r, r.CutArea),
             r.Settings.CutOut ? "㎡" : "㎡ 算入"});
      }
      put({"）"});
    }
  }
  auto gap = [&line] {
    if (!line.empty()) line.append("　");
  };
  // The coordinate method's refusal, unless the cross-check below says it.
  const TOutlineShape shape = r.Coordinates.Shape;
  if (r.CoordinatesRefused && shape != TOutlineShape::Empty &&
      !(shape == TOutlineShape::Overlap && r.Mismatch)) {
    gap();
    put({"座標法にできません：", ReasonText(shape)});
  }
  for (const TAreaCheck& c : r.Checks) {
    gap();
    put({"点", std::to_string(c.Point), " は 点", std::to_string(c.Near), " と ",
         std::to_string(c.Millimetres), "mm 差"});
  }
  for (const std::string& phrase : ChecksSummary(r.CheckDistances)) {
    gap();
    put({phrase});
  }
  if (!r.RoadRefused.empty()) {
    gap();
    put({r.RoadRefused});
  }
  for (const std::string& phrase : r.Road.Refused) {
    gap();
    put({phrase});
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
