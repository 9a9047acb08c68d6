// The coordinate table: the published example to the last digit, the
// outlines refused, the rounding of the site area.
#include "site/coordinates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "common/sjis.h"
#include "site/area.h"
#include "site/areatable.h"
#include "tests/exchange/store_setup.h"
#include "tests/site/table_stub.h"

namespace {

TAreaSettings Coordinates(TAreaAxes axes = TAreaAxes::Drawing, int64_t x = 0, int64_t y = 0) {
  return {
      .Method = TAreaMethod::Coordinates, .Axes = axes, .OriginX = x, .OriginY = y, .Exclude = {}};
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
  std::vector<std::vector<std::string>> expected = {
      {"点", "X", "Y", "Yn+1-Yn-1", "Xn(Yn+1-Yn-1)"},
      {"1", "3.020", "-12.110", "-29.260", "-88.3652"},
      {"2", "13.180", "-12.730", "22.220", "292.8596"},
      {"3", "23.810", "10.110", "29.260", "696.6806"},
      {"4", "0.860", "16.530", "-22.220", "-19.1092"},
      {"倍面積", "", "", "", "882.0658"},
      {"面積", "", "", "", "441.0329"}};
  for (auto& row : expected) std::transform(row.begin(), row.end(), row.begin(), Sjis);
  EXPECT_EQ(AreaTableCells(r), expected);
  EXPECT_EQ(AreaLine(r), Sjis("敷地面積 441.03㎡（133.41坪） 座標法・4点"));
  // The axes and the origin change the listed coordinates, never the area.
  const TAreaResult survey = ComputeArea(Published(), Coordinates(TAreaAxes::Survey, -12110, 3020));
  EXPECT_EQ(AreaTableCells(survey)[2][1] + HalfSum(survey), "16.530441.0329");  // K4 (N, E)
}

TEST_F(CoordinateTable, TheSiteAreaIsRoundedByTheRuleFromThePrintedHalf) {
  using R = TAreaRounding;
  const std::tuple<R, int, bool, std::string> cases[] = {
      {R::Cut, 2, false, "敷地面積 441.03㎡"},
      {R::Up, 2, true, "敷地面積 441.04㎡（133.41坪）"},
      {R::HalfUp, 3, false, "敷地面積 441.033㎡"},
      {R::HalfUp, 1, true, "敷地面積 441.0㎡（133.40坪）"},
      {R::Up, 0, false, "敷地面積 442㎡"}};
  for (const auto& [rule, decimals, tsubo, caption] : cases) {
    TAreaSettings s{.Method = TAreaMethod::Coordinates,
                    .Rounding = rule,
                    .RoundDecimals = decimals,
                    .Tsubo = tsubo,
                    .Exclude = {}};
    EXPECT_EQ(Utf8FromSjis(SiteAreaCaption(ComputeArea(Published(), s))), caption);
  }
  // 三斜法 heights to 0.1 mm: sides 5, 4 and 6 m, height 3.30718914 m.
  const TAreaSettings s{.Method = TAreaMethod::BaseHeight, .HeightDecimals = 4, .Exclude = {}};
  const TAreaResult r = ComputeArea(Solve("5000", "0", {{"1", "4000", "2", "6000", "0"}}), s);
  EXPECT_EQ(AreaTableCells(r)[1], (std::vector<std::string>{"1", "6.000", "3.3072", "19.8432000"}));
  EXPECT_EQ(SiteAreaText(r), "9.92");
}

TEST_F(CoordinateTable, OnlyOneSimpleRingIsListedAndTheMenuSaysWhyNot) {
  // A strip of 3 x 4 m rectangles cut by their diagonals, points 1 to 7 in a
  // zigzag up the Y axis; folded, point 4 at (1.5, 2) m in the first triangle.
  const std::vector<TTableRow> kStrip = {{"1", "4000", "2", "5000", "0"},
                                         {"2", "4000", "3", "3000", "1"},
                                         {"3", "4000", "4", "5000", "0"},
                                         {"4", "4000", "5", "3000", "1"},
                                         {"5", "4000", "6", "5000", "0"}};
  const std::vector<TTableRow> folded = {kStrip[0], {"1", "2500", "2", "2500", "0"}};
  using S = TOutlineShape;
  const std::tuple<std::vector<TTableRow>, std::vector<int32_t>, S> cases[] = {
      {kStrip, {}, S::Simple},
      {kStrip, {4}, S::Pinched},
      {kStrip, {4, 5}, S::Rings},
      {folded, {}, S::Overlap},
      {{}, {}, S::Empty}};
  for (const auto& [rows, exclude, shape] : cases) {
    TAreaSettings s = Coordinates();
    s.Exclude = exclude;
    const TAreaResult r = ComputeArea(Solve("3000", "0", rows), s);
    EXPECT_EQ(r.Coordinates.Shape, shape);
    EXPECT_EQ(r.Method, shape == S::Simple ? s.Method : TAreaMethod::Heron);
  }
  TAreaSettings s = Coordinates();
  s.Exclude = {4, 5};
  EXPECT_EQ(AreaLine(ComputeArea(Solve("3000", "0", kStrip), s)),
            Sjis("敷地面積 18.00㎡（5.44坪） ヘロン法・3三角形　座標法にできません："
                 "外周が一つにつながりません（穴か離れた部分があります）"));
}

}  // namespace
