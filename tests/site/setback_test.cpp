// Setbacks and corner cuts on outlines whose strips and triangles are
// worked out by hand, and what is refused.
#include "site/setback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

namespace {

using TCorners = std::vector<TPlanePoint>;
// 12 x 8 m, given clockwise: corner 1 at the origin, side 1-2 the 12 m one.
const TCorners kRectangle = {{0, 0}, {0, 8000}, {12000, 8000}, {12000, 0}};
const std::vector<int32_t> kRectangleRing = {1, 4, 3, 2};
// An L of 10 m, its arm 5 m wide: corner 4 at (5, 5) m turns inward.
const TCorners kL = {{0, 0}, {10000, 0}, {10000, 5000}, {5000, 5000}, {5000, 10000}, {0, 10000}};
// The rectangle with corner 3 cut 1 m by 1 m: side 2-3 is 7 m long.
const TCorners kChamfered = {{0, 0}, {12000, 0}, {12000, 7000}, {11000, 8000}, {0, 8000}};
// A parallelogram whose corner 1 has cos θ = 0.6.
const TCorners kSlanted = {{0, 0}, {10000, 0}, {16000, 8000}, {6000, 8000}};

TEST(RoadParts, StripsAndTrianglesAsWorkedByHand) {
  struct Case {
    const char* name;
    const TCorners& corners;
    std::vector<TPointValue> setbacks, cuts;
    int64_t setback, cut;
    std::vector<std::string> refused;
  };
  const Case cases[] = {
      {"12 x 0.3", kRectangle, {{1, 2, 300}}, {}, 3'600'000, 0, {}},
      // 12 x 0.3 + 8 x 0.5, their corner 0.3 x 0.5 once.
      {"two sides", kRectangle, {{1, 2, 300}, {3, 2, 500}}, {}, 7'450'000, 0, {}},
      // A right angle: legs 3 / √2, the area 3² / 4.
      {"corner", kRectangle, {}, {{1, 0, 3000}}, 0, 2'250'000, {}},
      {"corner set back", kRectangle, {{1, 2, 300}}, {{1, 0, 3000}}, 3'600'000, 2'250'000, {}},
      // Only the strip under side 3-4, not the arm's width beside it.
      {"inner side",
       kL,
       {{3, 4, 300}},
       {{4, 0, 1000}},
       1'500'000,
       0,
       {"隅切り 点4 は出隅ではありません"}},
      // c² sin θ / (4 (1 - cos θ)) = c² / 2.
      {"slanted", kSlanted, {}, {{1, 0, 2000}}, 0, 2'000'000, {}},
      {"refused",
       kRectangle,
       {{1, 2, 8000}, {1, 3, 100}, {2, 1, 300}, {1, 2, 200}},
       {{5, 0, 2000}, {2, 0, 20000}, {3, 0, 2000}, {3, 0, 2000}},
       3'600'000,
       1'000'000,
       {"道路後退 1-2 の 8.000m は敷地の奥行 8.000m 以上です",
        "道路後退 1-3 は外周の辺ではありません", "道路後退 1-2 は二度目です",
        "隅切り 点5 は外周の角ではありません", "隅切り 点2 の 20.000m は角の辺に収まりません",
        "隅切り 点3 は二度目です"}},
      // Within the site's 8 m, but past the 7 m of side 2-3.
      {"too deep",
       kChamfered,
       {{1, 2, 7500}},
       {},
       0,
       0,
       {"道路後退 1-2 の 7.500m では辺 2-3 を越えます"}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> ring;
    for (size_t i = 0; i < c.corners.size(); ++i) ring.push_back(static_cast<int32_t>(i) + 1);
    if (&c.corners == &kRectangle) ring = kRectangleRing;
    const TRoadParts r = RoadParts(ring, c.corners, c.setbacks, c.cuts, 1000.0);
    EXPECT_EQ(r.SetbackMm2, c.setback) << c.name;
    EXPECT_EQ(r.CutMm2, c.cut) << c.name;
    EXPECT_EQ(r.Refused, c.refused) << c.name;
  }
}

TEST(RoadParts, TheMovedLineAndTheCutLineRunBetweenTheCornersLeft) {
  const TRoadParts r = RoadParts(kRectangleRing, kRectangle, {{2, 1, 300}}, {{2, 0, 2000}}, 1000.0);
  ASSERT_EQ(r.Lines.size(), 1u);
  ASSERT_EQ(r.Cuts.size(), 1u);
  // In m, counter-clockwise: the moved line from corner 1's side to corner 2's.
  const TSetbackLine& l = r.Lines[0];
  const TCornerCut& c = r.Cuts[0];
  // Legs of 2 / √2 m from the corner (12, 0.3) m.
  const double got[] = {l.From.X, l.From.Y, l.To.X, l.To.Y, c.Apex.X,
                        c.Apex.Y, c.A.X,    c.A.Y,  c.B.X,  c.B.Y};
  const double want[] = {
      0, 0.3, 12, 0.3, 12, 0.3, 12 - std::sqrt(2.0), 0.3, 12, 0.3 + std::sqrt(2.0)};
  for (size_t i = 0; i < std::size(got); ++i) EXPECT_NEAR(got[i], want[i], 1e-12) << i;
}

}  // namespace
