// Tests of the coordinate table: the published worked example to the last
// digit, random fans against their triangles' exact areas, the outlines it
// refuses and the rounding of the site area.
#include "site/coordinates.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "common/sjis.h"
#include "site/area.h"
#include "site/areatable.h"
#include "tests/exchange/store_setup.h"
#include "tests/site/table_stub.h"

namespace {

TAreaSettings Coordinates(TAreaAxes axes = TAreaAxes::Drawing, int64_t x = 0, int64_t y = 0) {
  TAreaSettings s;
  s.Method = TAreaMethod::Coordinates;
  s.Axes = axes;
  s.OriginX = x;
  s.OriginY = y;
  return s;
}

// K1 (3.02, -12.11), K2 (13.18, -12.73), K3 (23.81, 10.11), K4 (0.86, 16.53)
// m, point 1 at K1: K3 from K1 and K2, K4 from K1 and K3.
TOutlineSolution Published() {
  return Solve("10178.899744", "-3.492065609414",
               {{"1", "30429.467626", "2", "25192.508807", "0"},
                {"1", "28721.337016", "3", "23831.049075", "0"}});
}

class CoordinateTable : public FreshStoreTest {};

TEST_F(CoordinateTable, ThePublishedExampleToTheLastDigit) {
  const TAreaResult r = ComputeArea(Published(), Coordinates(TAreaAxes::Drawing, 3020, -12110));
  const std::vector<std::vector<std::string>> expected = {
      {"点", "X", "Y", "Yn+1-Yn-1", "Xn(Yn+1-Yn-1)"},
      {"1", "3.020", "-12.110", "-29.260", "-88.3652"},
      {"2", "13.180", "-12.730", "22.220", "292.8596"},
      {"3", "23.810", "10.110", "29.260", "696.6806"},
      {"4", "0.860", "16.530", "-22.220", "-19.1092"},
      {"倍面積", "", "", "", "882.0658"},
      {"面積", "", "", "", "441.0329"}};
  std::vector<std::vector<std::string>> printed;
  for (const auto& row : AreaTableCells(r)) {
    printed.emplace_back();
    for (const std::string& cell : row) printed.back().push_back(Utf8FromSjis(cell));
  }
  EXPECT_EQ(printed, expected);
  EXPECT_EQ(AreaLine(r), Sjis("敷地面積 441.03㎡（133.41坪） 座標法・4点"));
  // The axes and the origin change the listed coordinates, never the area.
  for (const TAreaSettings& s : {Coordinates(), Coordinates(TAreaAxes::Survey, -12110, 3020)}) {
    EXPECT_EQ(HalfSum(ComputeArea(Published(), s)), "441.0329");
  }
  const TAreaResult survey = ComputeArea(Published(), Coordinates(TAreaAxes::Survey, -12110, 3020));
  EXPECT_EQ(AreaTableCells(survey)[2][1], "16.530");  // K4 next, north 16.53, east 0.86
}

TEST_F(CoordinateTable, TheSiteAreaIsRoundedByTheRuleFromThePrintedHalf) {
  struct Case {
    TAreaRounding rule;
    int decimals;
    bool tsubo;
    std::string caption;
  };
  const Case cases[] = {
      {TAreaRounding::Cut, 2, false, "敷地面積 441.03㎡"},
      {TAreaRounding::Up, 2, true, "敷地面積 441.04㎡（133.41坪）"},
      {TAreaRounding::HalfUp, 3, false, "敷地面積 441.033㎡"},
      {TAreaRounding::HalfUp, 1, true, "敷地面積 441.0㎡（133.40坪）"},
      {TAreaRounding::Up, 0, false, "敷地面積 442㎡"},
  };
  for (const Case& c : cases) {
    TAreaSettings s = Coordinates();
    s.Rounding = c.rule;
    s.RoundDecimals = c.decimals;
    s.Tsubo = c.tsubo;
    EXPECT_EQ(Utf8FromSjis(SiteAreaCaption(ComputeArea(Published(), s))), c.caption);
  }
  // 三斜法 heights to 0.1 mm: sides 5, 4 and 6 m, height 3.30718914 m.
  TAreaSettings s;
  s.Method = TAreaMethod::BaseHeight;
  s.HeightDecimals = 4;
  const TAreaResult r = ComputeArea(Solve("5000", "0", {{"1", "4000", "2", "6000", "0"}}), s);
  EXPECT_EQ(AreaTableCells(r)[1], (std::vector<std::string>{"1", "6.000", "3.3072", "19.8432000"}));
  EXPECT_EQ(SiteAreaText(r), "9.92");
}

// A strip of 3 x 4 m rectangles cut by their diagonals, points 1 to 7 in a
// zigzag up the Y axis.
const std::vector<TTableRow> kStrip = {{"1", "4000", "2", "5000", "0"},
                                       {"2", "4000", "3", "3000", "1"},
                                       {"3", "4000", "4", "5000", "0"},
                                       {"4", "4000", "5", "3000", "1"},
                                       {"5", "4000", "6", "5000", "0"}};

TEST_F(CoordinateTable, OnlyOneSimpleRingIsListedAndTheMenuSaysWhyNot) {
  // Point 4 at (1.5, 2) m inside the first triangle.
  const std::vector<TTableRow> folded = {{"1", "4000", "2", "5000", "0"},
                                         {"1", "2500", "2", "2500", "0"}};
  struct Case {
    std::vector<TTableRow> rows;
    std::vector<int32_t> exclude;
    TOutlineShape shape;
  };
  const Case cases[] = {
      {kStrip, {}, TOutlineShape::Simple},    {kStrip, {4}, TOutlineShape::Pinched},
      {kStrip, {4, 5}, TOutlineShape::Rings}, {folded, {}, TOutlineShape::Overlap},
      {{}, {}, TOutlineShape::Empty},
  };
  for (const Case& c : cases) {
    TAreaSettings s = Coordinates();
    s.Exclude = c.exclude;
    const TAreaResult r = ComputeArea(Solve("3000", "0", c.rows), s);
    EXPECT_EQ(r.Coordinates.Shape, c.shape);
    EXPECT_EQ(r.Method, c.shape == TOutlineShape::Simple ? s.Method : TAreaMethod::Heron);
  }
  TAreaSettings s = Coordinates();
  s.Exclude = {4, 5};
  EXPECT_EQ(AreaLine(ComputeArea(Solve("3000", "0", kStrip), s)),
            Sjis("敷地面積 18.00㎡（5.44坪） ヘロン法・3三角形　座標法にできません："
                 "外周が一つにつながりません（穴か離れた部分があります）"));
}

// Convex sites with corners on whole millimetres, cut into a fan from point
// 1: the table lists the corners in order and its double area is the sum of
// the triangles' exact double areas.
TEST_F(CoordinateTable, RandomFansEqualTheirTrianglesExactly) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto text = [](const char* format, double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, v);
    return std::string(buf);
  };
  for (int site = 0; site < 100; ++site) {
    const int corners = 3 + site % 10;
    const double rx = 5000 + unit(rng) * 40000, ry = 5000 + unit(rng) * 40000;
    // Corners on an ellipse counter-clockwise, point 1 moved to the origin.
    std::vector<std::array<int64_t, 2>> v;
    for (int i = 0; i < corners; ++i) {
      const double a = (i + 0.8 * unit(rng)) / corners * 2 * std::numbers::pi;
      v.push_back({std::llround(rx * std::cos(a)), std::llround(ry * std::sin(a))});
    }
    for (size_t i = v.size(); i-- > 0;) v[i] = {v[i][0] - v[0][0], v[i][1] - v[0][1]};
    auto dist = [&v, &text](int i, int j) {
      return text("%.6f", std::hypot(static_cast<double>(v[i][0] - v[j][0]),
                                     static_cast<double>(v[i][1] - v[j][1])));
    };
    std::vector<TTableRow> rows;
    for (int k = 2; k < corners; ++k) {
      rows.push_back({"1", dist(0, k), std::to_string(k), dist(k - 1, k), "0"});
    }
    const double angle = std::atan2(static_cast<double>(v[1][1]), static_cast<double>(v[1][0]));
    const TAreaResult r = ComputeArea(
        Solve(dist(0, 1), text("%.12f", angle * 180 / std::numbers::pi), rows), Coordinates());
    ASSERT_EQ(r.Coordinates.Rows.size(), static_cast<size_t>(corners)) << site;
    int64_t triangles = 0;
    for (int k = 1; k + 1 < corners; ++k) {
      triangles += v[k][0] * v[k + 1][1] - v[k + 1][0] * v[k][1];
    }
    int64_t printed = 0;
    for (int k = 0; k < corners; ++k) {
      const TCornerRow& row = r.Coordinates.Rows[static_cast<size_t>(k)];
      EXPECT_EQ(row.Point, k + 1) << site;
      EXPECT_EQ(row.X, v[static_cast<size_t>(k)][0]) << site;
      printed += *TextToUnits(CornerProduct(r, row), r.SumDecimals);
    }
    EXPECT_EQ(r.Coordinates.DoubleArea, triangles) << site;
    EXPECT_EQ(*TextToUnits(AreaSum(r), r.SumDecimals), printed) << site;
  }
}

}  // namespace
