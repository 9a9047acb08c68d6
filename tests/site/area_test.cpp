// Tests of the site's area: worked examples with figures computed by hand,
// a property over random sites, check measurements, rows left out, the
// cross-check, and the settings kept in the table files.
#include "site/area.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "common/sjis.h"
#include "site/outline.h"
#include "tests/exchange/store_setup.h"
#include "tests/site/table_stub.h"

namespace {

// The figures of a triangle's row as the table prints them.
std::vector<std::string> PrintedRow(const TAreaResult& r, const TAreaTriangle& t) {
  if (r.Method == TAreaMethod::Heron) {
    return {AreaLength(t.A), AreaLength(t.B), AreaLength(t.C), TriangleArea(r, t)};
  }
  return {AreaLength(t.Base), AreaLength(t.Height), TriangleArea(r, t)};
}

// The 10 m square: point 3 at (10, 10) by the diagonal, point 4 at (0, 10).
const std::vector<TTableRow> kSquare = {{"1", "14142.136", "2", "10000", "0"},
                                        {"1", "10000", "3", "10000", "0"}};
// demo/sample.dlist.
const std::vector<TTableRow> kDemo = {{"1", "19602.3", "2", "12010.4", "0"},
                                      {"1", "11803.8", "3", "15801.3", "0"}};

class Area : public FreshStoreTest {};

TEST_F(Area, WorkedExamplesGiveTheFiguresComputedByHand) {
  struct Case {
    const char* name;
    std::string edit1;
    std::vector<TTableRow> rows;
    TAreaMethod method;
    int decimals;
    std::vector<std::vector<std::string>> printed;
    std::string sum;
    std::string site;
  };
  const TAreaMethod heron = TAreaMethod::Heron, bh = TAreaMethod::BaseHeight;
  const Case cases[] = {
      // 16 A² = 12000 · 6000 · 4000 · 2000 mm⁴: A = 6 000 000 mm².
      {"3-4-5",
       "3000",
       {{"1", "4000", "2", "5000", "0"}},
       heron,
       6,
       {{"3.000", "4.000", "5.000", "6.000000"}},
       "6.000000",
       "6.00"},
      // Base 5 m, height 2 · 6 / 5 = 2.4 m.
      {"3-4-5",
       "3000",
       {{"1", "4000", "2", "5000", "0"}},
       bh,
       6,
       {{"5.000", "2.400", "12.000000"}},
       "12.000000",
       "6.00"},
      // The diagonal typed to 0.001 mm reads 14.142 m; each half is 50.000000
      // to six decimals.
      {"square",
       "10000",
       kSquare,
       heron,
       6,
       {{"10.000", "14.142", "10.000", "50.000000"}, {"14.142", "10.000", "10.000", "50.000000"}},
       "100.000000",
       "100.00"},
      // The base is the diagonal 14.142 m, the height 7.071 m (7.0710...
      // rounded): 14.142 x 7.071 = 99.998082 twice, half of it 99.998082,
      // cut to 99.99. A rounded height cannot give 100.00 here.
      {"square",
       "10000",
       kSquare,
       bh,
       6,
       {{"14.142", "7.071", "99.998082"}, {"14.142", "7.071", "99.998082"}},
       "199.996164",
       "99.99"},
      // Sides 4, 9, 6 m, obtuse at point 1: the base is the longest side,
      // point 3 to point 1 (9 m); 16 A² = 19·11·1·7 · 10^12 gives the height
      // sqrt(1463) / 18 = 2.1249... m.
      {"obtuse",
       "4000",
       {{"1", "9000", "2", "6000", "0"}},
       bh,
       6,
       {{"9.000", "2.125", "19.125000"}},
       "19.125000",
       "9.56"},
      // demo/sample.dlist: sides 15, 19.602, 12.010 and 19.602, 11.804,
      // 15.801 m (the typed 0.1 mm rounded).
      {"demo",
       "15000",
       kDemo,
       heron,
       6,
       {{"15.000", "19.602", "12.010", "89.996924"}, {"19.602", "11.804", "15.801", "93.249885"}},
       "183.246809",
       "183.24"},
      {"demo",
       "15000",
       kDemo,
       heron,
       2,
       {{"15.000", "19.602", "12.010", "90.00"}, {"19.602", "11.804", "15.801", "93.25"}},
       "183.25",
       "183.25"},
      // Heights 9.182 and 9.514 m on the diagonal 19.602 m.
      {"demo",
       "15000",
       kDemo,
       bh,
       6,
       {{"19.602", "9.182", "179.985564"}, {"19.602", "9.514", "186.493428"}},
       "366.478992",
       "183.23"},
  };
  for (const Case& c : cases) {
    TAreaSettings s;
    s.Method = c.method;
    s.Decimals = c.decimals;
    const TAreaResult r = ComputeArea(Solve(c.edit1, "0", c.rows), s);
    ASSERT_EQ(r.Triangles.size(), c.printed.size()) << c.name;
    for (size_t i = 0; i < c.printed.size(); ++i) {
      EXPECT_EQ(PrintedRow(r, r.Triangles[i]), c.printed[i]) << c.name << " row " << i;
    }
    EXPECT_EQ(AreaSum(r), c.sum) << c.name;
    EXPECT_EQ(SiteAreaText(r), c.site) << c.name;
    EXPECT_FALSE(r.Mismatch) << c.name;
  }
}

TEST_F(Area, TheLineShowsAreaTsuboMethodChecksAndTheCrossCheck) {
  struct Case {
    std::vector<TTableRow> rows;
    std::vector<int32_t> exclude;
    std::string line;
  };
  std::vector<TTableRow> checked = kSquare;
  // Point 5 measured again onto point 4 (0, 10 m), 3 mm off.
  checked.push_back({"1", "10003", "3", "10000", "0"});
  std::vector<TTableRow> overlapping = kSquare;
  // Point 5 at (5, 5) m inside the first triangle.
  overlapping.push_back({"1", "7071.068", "2", "7071.068", "0"});
  const Case cases[] = {
      {kSquare, {}, "敷地面積 100.00㎡（30.25坪） ヘロン法・2三角形"},
      // Its distances 10.003 m to point 1 and 10.000 m to point 3 join the checks.
      {checked,
       {},
       "敷地面積 100.00㎡（30.25坪） ヘロン法・2三角形　点5 は 点4 と 3mm 差　検測 2件 許容内"},
      // Left out, the second triangle leaves a smaller site, still tiled.
      {kSquare, {4}, "敷地面積 50.00㎡（15.12坪） ヘロン法・1三角形"},
      {overlapping,
       {},
       "敷地面積 124.99㎡（37.80坪） ヘロン法・3三角形　三角形が重なっているか欠けています"
       "（座標では 75.00㎡）"},
      {{}, {}, ""},
  };
  for (const Case& c : cases) {
    TAreaSettings s;
    s.Exclude = c.exclude;
    EXPECT_EQ(AreaLine(ComputeArea(Solve("10000", "0", c.rows), s)), Sjis(c.line));
  }
}

TEST_F(Area, LengthsTypedInMetresAreReadExactly) {
  TAreaSettings s;
  s.Metres = true;
  const TAreaResult r = ComputeArea(Solve("3", "0", {{"1", "4.0004", "2", "4.9995", "0"}}), s);
  ASSERT_EQ(r.Triangles.size(), 1u);
  EXPECT_EQ(PrintedRow(r, r.Triangles[0]),
            (std::vector<std::string>{"3.000", "4.000", "5.000", "6.000000"}));
}

// Convex sites of 3 to 12 corners with whole-millimetre distances, cut
// into a fan from point 1: the ヘロン sum is the coordinate area within its
// rounding, and every printed total is the sum of its printed rows.
TEST_F(Area, RandomFansAgreeWithCoordinatesAndAddUpAsPrinted) {
  std::mt19937 rng(23);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int site = 0; site < 200; ++site) {
    const int corners = 3 + site % 10;
    // Corners on an ellipse, in counter-clockwise order from the origin.
    std::vector<double> angles;
    for (int i = 0; i < corners; ++i) {
      angles.push_back((i + 0.8 * unit(rng)) / corners * 2 * std::numbers::pi);
    }
    const double rx = 5000 + unit(rng) * 40000, ry = 5000 + unit(rng) * 40000;
    std::vector<std::pair<double, double>> v;
    for (double a : angles) v.emplace_back(rx * std::cos(a), ry * std::sin(a));
    auto mm = [](double d) { return std::to_string(std::llround(d)); };
    auto dist = [&v](int i, int j) {
      return std::hypot(v[i].first - v[j].first, v[i].second - v[j].second);
    };
    char direction[32];
    std::snprintf(
        direction, sizeof direction, "%.12f",
        std::atan2(v[1].second - v[0].second, v[1].first - v[0].first) * 180 / std::numbers::pi);
    std::vector<TTableRow> rows;
    for (int k = 2; k < corners; ++k) {
      rows.push_back({"1", mm(dist(0, k)), std::to_string(k), mm(dist(k - 1, k)), "0"});
    }
    const TOutlineSolution sol = Solve(mm(dist(0, 1)), direction, rows);

    TAreaSettings s;
    s.Method = site % 2 == 0 ? TAreaMethod::Heron : TAreaMethod::BaseHeight;
    s.Decimals = 2 + site % 5;
    const TAreaResult r = ComputeArea(sol, s);
    ASSERT_EQ(r.Triangles.size(), static_cast<size_t>(corners - 2)) << site;
    EXPECT_FALSE(r.Mismatch) << site;

    s.Method = TAreaMethod::Heron;
    s.Decimals = 6;
    const TAreaResult heron = ComputeArea(sol, s);
    EXPECT_LE(std::llabs(heron.Sum - heron.CoordinateArea), corners) << site;

    const int decimals = r.Method == TAreaMethod::Heron ? r.Settings.Decimals : 6;
    int64_t added = 0;
    for (const TAreaTriangle& t : r.Triangles) {
      added += *TextToUnits(TriangleArea(r, t), decimals);
      // A double area is the printed base times the printed height.
      if (r.Method == TAreaMethod::BaseHeight) {
        EXPECT_EQ(*TextToUnits(TriangleArea(r, t), 6),
                  *TextToUnits(AreaLength(t.Base), 3) * *TextToUnits(AreaLength(t.Height), 3));
      }
    }
    EXPECT_EQ(*TextToUnits(AreaSum(r), decimals), added) << site;
    // The site area: the printed sum (halved for 三斜法) cut to 2 decimals.
    const int64_t cut =
        r.Method == TAreaMethod::Heron ? added / PowerOfTen(decimals - 2) : added / 20000;
    EXPECT_EQ(*TextToUnits(SiteAreaText(r), 2), cut) << site;

    // The coordinate table lists the fan's corners in order; its double area
    // is its triangles' on the same whole millimetres, and its rows add up.
    s.Method = TAreaMethod::Coordinates;
    const TAreaResult c = ComputeArea(sol, s);
    const std::vector<TCornerRow>& corner = c.Coordinates.Rows;
    ASSERT_EQ(corner.size(), static_cast<size_t>(corners)) << site;
    int64_t fan = 0, printed = 0;
    for (size_t k = 0; k < corner.size(); ++k) {
      const TCornerRow &p = corner[0], &a = corner[k], &b = corner[(k + 1) % corner.size()];
      EXPECT_EQ(a.Point, static_cast<int32_t>(k) + 1) << site;
      fan += (a.X - p.X) * (b.Y - p.Y) - (b.X - p.X) * (a.Y - p.Y);
      printed += *TextToUnits(CornerProduct(c, a), c.SumDecimals);
    }
    EXPECT_EQ(c.Coordinates.DoubleArea, fan) << site;
    EXPECT_EQ(*TextToUnits(AreaSum(c), c.SumDecimals), printed) << site;
  }
}

// The search of every earlier point: the nearest known one within 20 mm,
// the lowest number among those equally near.
std::optional<std::array<int64_t, 3>> NearestEarlier(const TOutlineSolution& sol, int32_t n,
                                                     double unit) {
  std::optional<std::array<int64_t, 3>> best;
  double bestMm = 0.0;
  const TSolvedPoint& p = sol.Point(n);
  for (int32_t k = 1; k < n; ++k) {
    const TSolvedPoint& q = sol.Point(k);
    const double mm = std::sqrt((p.X - q.X) * (p.X - q.X) + (p.Y - q.Y) * (p.Y - q.Y)) * unit;
    if (p.Known && q.Known && mm <= 20 && (!best || mm < bestMm)) {
      best = {n, k, std::llround(mm)};
      bestMm = mm;
    }
  }
  return best;
}

// Each row's check measurement is what that search finds, on points of a
// 5 mm lattice about a few spots, so that many are near and ties are
// common, now and then unknown, far out or no number, in mm and in m.
TEST_F(Area, CheckMeasurementsAreTheNearestEarlierPoint) {
  std::mt19937 rng(5);
  auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int set = 0; set < 300; ++set) {
    TAreaSettings s;
    s.Metres = set % 2 == 1;
    const double unit = s.Metres ? 1000.0 : 1.0;
    TOutlineSolution sol;
    sol.Points.resize(static_cast<size_t>(2 + below(300)));
    for (TSolvedPoint& p : sol.Points) {
      p = {below(10) > 0, (40.0 * below(4) + 5.0 * below(9)) / unit, 5.0 * below(9) / unit};
      if (below(50) == 0)
        p.Y = std::array<double, 3>{NAN, INFINITY, 1e30}[static_cast<size_t>(below(3))];
    }
    sol.Points[0].Known = sol.Points[1].Known = true;
    std::vector<std::array<int64_t, 3>> want, got;
    for (int32_t n = 3; n <= static_cast<int32_t>(sol.Points.size()); ++n) {
      sol.Rows.push_back({n, 1, 2, "1", "1"});
      if (const auto check = NearestEarlier(sol, n, unit)) want.push_back(*check);
    }
    for (const TAreaCheck& c : ComputeArea(sol, s).Checks)
      got.push_back({c.Point, c.Near, c.Millimetres});
    EXPECT_EQ(got, want) << set;
  }
}

TEST(AreaSettings, ReadFromTheBlockAndWrittenBackKeepingOtherNames) {
  const TTableOptions read = {{"area.table", "1"},
                              {"area.method", "base-height"},
                              {"area.unit", "m"},
                              {"area.decimals", "3"},
                              {"area.round", "half-up"},
                              {"area.round.decimals", "1"},
                              {"area.height.decimals", "4"},
                              {"area.tsubo", "1"},
                              {"area.axes", "survey"},
                              {"area.origin", "-12110,3020"},
                              {"view.grid", "on"},
                              {"area.exclude", "7, 4,x,7"},
                              {"area.check", "1-3:15620,2-4:12010"},
                              {"area.tolerance", "kou1"},
                              {"area.check.draw", "1"},
                              {"area.setback", "1-2:300,x,3-3:5"},
                              {"area.cut", "1:2000"},
                              {"area.cut.out", "1"}};
  const TAreaSettings s = AreaSettingsFromOptions(read);
  EXPECT_TRUE(s.Table);
  EXPECT_EQ(s.Method, TAreaMethod::BaseHeight);
  EXPECT_TRUE(s.Metres);
  EXPECT_EQ(s.Decimals, 3);
  EXPECT_EQ(s.Exclude, (std::vector<int32_t>{4, 7}));
  EXPECT_EQ(s.Rounding, TAreaRounding::HalfUp);
  EXPECT_EQ(s.RoundDecimals * 10 + s.HeightDecimals, 14);
  EXPECT_TRUE(s.Tsubo);
  EXPECT_EQ(s.Axes, TAreaAxes::Survey);
  EXPECT_EQ(s.OriginX * 10000 + s.OriginY, -12110 * 10000 + 3020);
  EXPECT_EQ(s.Checks, (std::vector<TPointValue>{{1, 3, 15620}, {2, 4, 12010}}));
  EXPECT_EQ(s.Tolerance.Rule, TToleranceRule::Kou1);
  EXPECT_EQ(s.Setbacks, (std::vector<TPointValue>{{1, 2, 300}}));
  EXPECT_EQ(s.Cuts, (std::vector<TPointValue>{{1, 0, 2000}}));
  EXPECT_TRUE(s.DrawChecks && s.CutOut);

  TTableOptions written = read;
  AreaSettingsToOptions(s, written);
  TTableOptions tidied = read;
  tidied[11].Value = "4,7";
  tidied[15].Value = "1-2:300";
  EXPECT_EQ(written, tidied);
  // Defaults are left out; a name this version does not know stays.
  AreaSettingsToOptions(TAreaSettings{}, written);
  EXPECT_EQ(written, (TTableOptions{{"view.grid", "on"}}));
  // Malformed values keep their defaults.
  EXPECT_EQ(AreaSettingsFromOptions({{"area.decimals", "9"},
                                     {"area.method", "x"},
                                     {"area.round.decimals", "5"},
                                     {"area.height.decimals", ""},
                                     {"area.origin", "5"},
                                     {"area.tolerance", "0"}}),
            TAreaSettings{});
  EXPECT_EQ(AreaSettingsFromOptions({{"area.tolerance", "25"}}).Tolerance,
            (TCheckTolerance{TToleranceRule::Fixed, 25}));
}

}  // namespace
