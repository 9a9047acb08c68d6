// Tests of the point computation over a stub of the window's table.
#include "site/outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/sjis.h"
#include "exchange/store.h"
#include "tests/exchange/store_setup.h"
#include "tests/site/table_stub.h"

namespace {

using Row = std::array<std::string, 5>;

struct Pt {
  double x, y;
};

class OutlineTest : public FreshStoreTest {
 protected:
  // Runs the computation and records whether the window would redraw.
  TOutlineCounters Compute(TableStub& table) {
    TOutlineCounters c{4, 5, 6};  // stale counts the computation must reset
    redraws = RunOutline(table, c).Point2Missing ? 0 : 1;
    return c;
  }

  // The computed points with their number labels, checked to agree.
  std::vector<Pt> Points() const {
    std::vector<Pt> out;
    EXPECT_EQ(JwwStore.Points.size(), JwwStore.Texts.size());
    for (size_t i = 0; i < JwwStore.Points.size(); ++i) {
      const TJwwEntPoint& p = JwwStore.Points[i];
      const TJwwEntText& t = JwwStore.Texts[i];
      EXPECT_EQ(t.X, p.X);
      EXPECT_EQ(t.Y, p.Y);
      out.push_back({p.X, p.Y});
    }
    return out;
  }

  std::vector<std::string> Labels() const {
    std::vector<std::string> out;
    for (const TJwwEntText& t : JwwStore.Texts) out.push_back(t.Text);
    return out;
  }

  int redraws = 0;
};

void ExpectCounters(const TOutlineCounters& c, int points, int texts, int lines) {
  EXPECT_EQ(c.PointCount, points);
  EXPECT_EQ(c.TextCount, texts);
  EXPECT_EQ(c.LineCount, lines);
}

void ExpectPoint(const Pt& p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-12);
  EXPECT_NEAR(p.y, y, 1e-12);
}

TEST_F(OutlineTest, PointTwoFromDistanceAndDirection) {
  struct Case {
    std::string edit1, edit2;
    Pt expected;
  };
  const std::vector<Case> cases = {
      {"10", "90", {0.0, 10.0}}, {"10", "", {10.0, 0.0}},    {"10", "x", {10.0, 0.0}},
      {"2", "180", {-2.0, 0.0}}, {" 5", "-90", {0.0, -5.0}},
  };
  for (const Case& c : cases) {
    TableStub table(c.edit1, c.edit2, {});
    ExpectCounters(Compute(table), 2, 2, 1);
    const std::vector<Pt> pts = Points();
    ASSERT_EQ(pts.size(), 2u);
    ExpectPoint(pts[1], c.expected.x, c.expected.y);
    EXPECT_EQ(redraws, 1);
  }
}

TEST_F(OutlineTest, MissingPointTwoLeavesPointOneOnlyAndNoRedraw) {
  for (const std::string edit1 : {"", "0", "-5", "abc", "0.5e-8", "1,5"}) {
    TableStub table(edit1, "45", {{"1", "6", "2", "8", "0"}});
    ExpectCounters(Compute(table), 1, 1, 0);
    EXPECT_EQ(Labels(), std::vector<std::string>{"1"}) << edit1;
    EXPECT_TRUE(JwwStore.Lines.empty());
    EXPECT_EQ(redraws, 0) << edit1;
  }
}

TEST_F(OutlineTest, StoreHoldsEntitiesInComputationOrder) {
  TableStub table("10", "0", {{"1", "6", "2", "8", "0"}});
  Compute(table);

  const std::vector<std::pair<int32_t, int32_t>> expected = {
      {ekPoint, 0}, {ekText, 0}, {ekLine, 0},  {ekPoint, 1}, {ekText, 1},
      {ekLine, 1},  {ekLine, 2}, {ekPoint, 2}, {ekText, 2},
  };
  ASSERT_EQ(JwwStore.Order.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(JwwStore.Order[i].Kind, expected[i].first) << i;
    EXPECT_EQ(JwwStore.Order[i].Index, expected[i].second) << i;
  }

  const std::vector<std::array<double, 4>> lines = {
      {0, 0, 10, 0}, {0, 0, 3.6, 4.8}, {10, 0, 3.6, 4.8}};
  ASSERT_EQ(JwwStore.Lines.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const TJwwEntLine& l = JwwStore.Lines[i];
    EXPECT_NEAR(l.X1, lines[i][0], 1e-12);
    EXPECT_NEAR(l.Y1, lines[i][1], 1e-12);
    EXPECT_NEAR(l.X2, lines[i][2], 1e-12);
    EXPECT_NEAR(l.Y2, lines[i][3], 1e-12);
    EXPECT_EQ(l.PolyId, 0);
  }
  EXPECT_EQ(Labels(), (std::vector<std::string>{"1", "2", "3"}));
  for (const TJwwEntText& t : JwwStore.Texts) {
    EXPECT_EQ(t.TextCmd, 0);
    EXPECT_EQ(t.DX, 1.0);
    EXPECT_EQ(t.DY, 0.0);
  }
  const std::vector<Pt> pts = Points();
  ExpectPoint(pts[0], 0, 0);
  ExpectPoint(pts[1], 10, 0);
  ExpectPoint(pts[2], 3.6, 4.8);
}

TEST_F(OutlineTest, SideFlagPicksTheSideOfPartnerOneToPartnerTwo) {
  struct Case {
    Row row;
    Pt expected;
  };
  const std::vector<Case> cases = {
      {{"1", "5", "2", "5", "0"}, {5.0, 0.0}},   {{"1", "5", "2", "5", "1"}, {5.0, 0.0}},
      {{"1", "6", "2", "8", "0"}, {3.6, 4.8}},   {{"1", "6", "2", "8", "1"}, {3.6, -4.8}},
      {{"2", "8", "1", "6", "0"}, {3.6, -4.8}},  {{"2", "8", "1", "6", "1"}, {3.6, 4.8}},
      {{"1", "6", "2", "8", "5"}, {3.6, -4.8}},  {{"1", "6", "2", "8", "-1"}, {3.6, -4.8}},
      {{"1", "6", "2", "8", ""}, {3.6, 4.8}},    {{"1", "6", "2", "8", "abc"}, {3.6, 4.8}},
      {{"1", "6", "2", "8", "1.0"}, {3.6, 4.8}}, {{" 1", "6.0", "2", "8e0", "0"}, {3.6, 4.8}},
  };
  for (const Case& c : cases) {
    TableStub table("10", "0", {c.row});
    ExpectCounters(Compute(table), 3, 3, 3);
    const std::vector<Pt> pts = Points();
    ASSERT_EQ(pts.size(), 3u);
    SCOPED_TRACE(c.row[0] + "," + c.row[1] + "," + c.row[2] + "," + c.row[3] + "," + c.row[4]);
    ExpectPoint(pts[2], c.expected.x, c.expected.y);
  }
}

TEST_F(OutlineTest, RowsWhoseCirclesMissAreMarkedAndLaterRowsGoOn) {
  const std::string error = Sjis("エラー");
  TableStub table("10", "0",
                  {
                      {"1", "2", "2", "3", "1"},          // too far apart
                      {"1", "6", "2", "8", "0"},          // point 4
                      {"1", "1", "2", "20", "0"},         // one circle inside the other
                      {"1", "5", "1", "5", "0"},          // the same partner twice
                      {"3", "6", "2", "8", "0"},          // point 3 failed: it is the origin
                      {"1", "1e200", "2", "1e200", "0"},  // beyond what a double can square
                      {"1", "1e154", "2", "1e154", "1"},
                  });
  ExpectCounters(Compute(table), 4, 4, 5);
  EXPECT_EQ(table.rows[0][4], error);
  EXPECT_EQ(table.rows[1][4], "0");
  EXPECT_EQ(table.rows[2][4], error);
  EXPECT_EQ(table.rows[3][4], error);
  EXPECT_EQ(table.rows[4][4], "0");
  EXPECT_EQ(table.rows[5][4], error);
  EXPECT_EQ(table.rows[6][4], error);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"1", "2", "4", "7"}));
  const std::vector<Pt> pts = Points();
  ExpectPoint(pts[2], 3.6, 4.8);
  ExpectPoint(pts[3], 3.6, 4.8);
  EXPECT_EQ(redraws, 1);

  // The marked cell reads as side 0 next time; the row still fails.
  ExpectCounters(Compute(table), 4, 4, 5);
  EXPECT_EQ(table.rows[0][4], error);
}

TEST_F(OutlineTest, InvalidOrBlankRowEndsTheTable) {
  const std::string fullWidthSpace = Sjis("　");
  const Row good = {"1", "6", "2", "8", "0"};
  const std::vector<Row> enders = {
      {"0", "6", "2", "8", "0"},
      {"1", "6", "10001", "8", "0"},
      {"1.0", "6", "2", "8", "0"},
      {Sjis("１"), "6", "2", "8", "0"},
      {"", "6", "2", "8", "0"},
      {"1", "0", "2", "8", "0"},
      {"1", "6", "2", "-8", "0"},
      {"1", "6", "2", "0.5e-8", "0"},
      {"1", "6", "2", "", "0"},
      {"", "", "", "", ""},
      {" ", "\t", "", fullWidthSpace + fullWidthSpace, fullWidthSpace},
  };
  for (const Row& ender : enders) {
    TableStub table("10", "0", {good, ender, good});
    SCOPED_TRACE(ender[0] + "," + ender[1] + "," + ender[2] + "," + ender[3] + "," + ender[4]);
    ExpectCounters(Compute(table), 3, 3, 3);
    EXPECT_EQ(table.rows[1], ender);
    EXPECT_EQ(redraws, 1);
  }
}

TEST_F(OutlineTest, LaterPartnerReadsAsOrigin) {
  TableStub table("10", "0", {{"2", "8", "4", "6", "0"}, {"1", "6", "2", "8", "0"}});
  ExpectCounters(Compute(table), 4, 4, 5);
  const std::vector<Pt> pts = Points();
  // Seen from point 2 towards the origin, the left side is below the X axis.
  ExpectPoint(pts[2], 3.6, -4.8);
  const TJwwEntLine& toLater = JwwStore.Lines[2];
  EXPECT_EQ(toLater.X1, 0.0);
  EXPECT_EQ(toLater.Y1, 0.0);
}

TEST_F(OutlineTest, CountersFollowAcceptedRows) {
  TableStub table("10", "0",
                  {{"1", "6", "2", "8", "0"},
                   {"1", "6", "2", "8", "1"},
                   {"3", "4.8", "4", "4.8", "0"},  // 3 and 4 are 9.6 apart: touching
                   {"1", "1", "1", "1", "0"}});
  ExpectCounters(Compute(table), 5, 5, 7);
  ExpectPoint(Points()[4], 3.6, 0.0);
}

TEST_F(OutlineTest, RecomputationReplacesTheOutlineAndKeepsOtherKinds) {
  AppendRecord<ekSolid4>();
  AddPoint(99, 99);
  TableStub table("10", "0", {{"1", "6", "2", "8", "0"}});
  Compute(table);
  ExpectCounters(Compute(table), 3, 3, 3);
  EXPECT_EQ(JwwStore.Points.size(), 3u);
  EXPECT_EQ(JwwStore.Lines.size(), 3u);
  EXPECT_EQ(JwwStore.Order.size(), 9u);
  EXPECT_EQ(JwwStore.Solids4.size(), 1u);

  TOutlineCounters c{3, 3, 3};
  ResetOutline(c);
  EXPECT_EQ(c.Total(), 0);
  EXPECT_TRUE(JwwStore.Order.empty());
  EXPECT_TRUE(JwwStore.Points.empty());
  EXPECT_EQ(JwwStore.Solids4.size(), 1u);
}

TEST_F(OutlineTest, FullTableStopsAtPointTenThousand) {
  TableStub table("10", "0", std::vector<Row>(9999, {"1", "6", "2", "8", "0"}));
  ExpectCounters(Compute(table), 10000, 10000, 1 + 2 * 9998);
  EXPECT_EQ(Labels().back(), "10000");
}

// Random corner points measured from random known points: each computed
// point must lie at both measured distances and on the flagged side.
TEST_F(OutlineTest, ComputedPointsKeepTheMeasuredDistances) {
  std::mt19937 gen(20240531);
  std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<Pt> truth = {{0.0, 0.0}};
    Pt p2{coord(gen), coord(gen)};
    const double r2 = std::hypot(p2.x, p2.y);
    const double a2 = std::atan2(p2.y, p2.x) * 180.0 / std::acos(-1.0);
    truth.push_back(p2);
    std::vector<Row> rows;
    struct Measure {
      int p1, p2, side;
      double d1, d2;
    };
    std::vector<Measure> measures;
    while (rows.size() < 20) {
      std::uniform_int_distribution<int> pick(1, static_cast<int>(truth.size()));
      const int i = pick(gen), j = pick(gen);
      const Pt a = truth[i - 1], b = truth[j - 1], n = {coord(gen), coord(gen)};
      const double base = std::hypot(b.x - a.x, b.y - a.y);
      const double d1 = std::hypot(n.x - a.x, n.y - a.y);
      const double d2 = std::hypot(n.x - b.x, n.y - b.y);
      const double cross = (b.x - a.x) * (n.y - a.y) - (b.y - a.y) * (n.x - a.x);
      // Keep well-shaped triangles: the height over the base at least 1 % of the sides.
      if (base < 10.0 || std::fabs(cross) / base < 0.01 * std::max(d1, d2)) continue;
      const int side = cross > 0 ? 0 : 1;
      char d1Text[32], d2Text[32];
      std::snprintf(d1Text, sizeof d1Text, "%.17g", d1);
      std::snprintf(d2Text, sizeof d2Text, "%.17g", d2);
      rows.push_back({std::to_string(i), d1Text, std::to_string(j), d2Text, std::to_string(side)});
      measures.push_back({i, j, side, std::strtod(d1Text, nullptr), std::strtod(d2Text, nullptr)});
      truth.push_back(n);
    }
    char r2Text[32], a2Text[32];
    std::snprintf(r2Text, sizeof r2Text, "%.17g", r2);
    std::snprintf(a2Text, sizeof a2Text, "%.17g", a2);
    TableStub table(r2Text, a2Text, rows);
    ExpectCounters(Compute(table), 22, 22, 41);
    const std::vector<Pt> pts = Points();
    ASSERT_EQ(pts.size(), 22u);
    for (size_t k = 0; k < measures.size(); ++k) {
      const Measure& m = measures[k];
      const Pt a = pts[m.p1 - 1], b = pts[m.p2 - 1], n = pts[k + 2];
      SCOPED_TRACE("trial " + std::to_string(trial) + " row " + std::to_string(k + 1));
      EXPECT_NEAR(std::hypot(n.x - a.x, n.y - a.y), m.d1, 1e-9 * m.d1);
      EXPECT_NEAR(std::hypot(n.x - b.x, n.y - b.y), m.d2, 1e-9 * m.d2);
      const double cross = (b.x - a.x) * (n.y - a.y) - (b.y - a.y) * (n.x - a.x);
      EXPECT_EQ(cross > 0 ? 0 : 1, m.side);
    }
  }
}

// Corners worked out by hand from right triangles (3-4-5, 5-12-13 and
// their multiples), on point 2 in every direction of the axes: each row's
// point, in table order, to a billionth (each step rounds to 1e-8).
TEST_F(OutlineTest, HandWorkedTrianglesGiveTheirCorners) {
  struct Case {
    std::string edit1, edit2;
    std::vector<Row> rows;
    std::vector<Pt> corners;  // points 3, 4, ...
  };
  const std::vector<Case> cases = {
      // Point 2 straight up: the left of 1 -> 2 is -X.
      {"10",
       "90",
       {{"1", "6", "2", "8", "0"}, {"1", "6", "2", "8", "1"}},
       {{-4.8, 3.6}, {4.8, 3.6}}},
      // Point 2 to the left: the left of 1 -> 2 is -Y.
      {"25",
       "180",
       {{"1", "15", "2", "20", "0"}, {"2", "20", "1", "15", "0"}},
       {{-9, -12}, {-9, 12}}},
      {"10000", "-90", {{"2", "8000", "1", "6000", "1"}}, {{4800, -3600}}},
      // A 12 x 5 rectangle by its diagonal, then a point over its top edge
      // from two computed corners.
      {"12",
       "0",
       {{"1", "13", "2", "5", "0"},
        {"3", "12", "1", "5", "1"},
        {"1", "5", "2", "13", "1"},
        {"3", "10", "4", "10", "1"}},
       {{12, 5}, {0, 5}, {0, -5}, {6, 13}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edit1 + " at " + c.edit2);
    TableStub table(c.edit1, c.edit2, c.rows);
    Compute(table);
    const std::vector<Pt> pts = Points();
    ASSERT_EQ(pts.size(), 2 + c.corners.size());
    for (size_t i = 0; i < c.corners.size(); ++i) {
      const Pt& want = c.corners[i];
      EXPECT_NEAR(pts[i + 2].x, want.x, 1e-9 * std::max(1.0, std::fabs(want.x)))
          << "point " << i + 3;
      EXPECT_NEAR(pts[i + 2].y, want.y, 1e-9 * std::max(1.0, std::fabs(want.y)))
          << "point " << i + 3;
    }
  }
}

// A long zigzag strip measured point by point from the two points before,
// turned as a whole by point 2's direction: every corner must come out where
// the strip puts it, to a billionth of the strip's length, however long the
// chain of computed partners grows (each step rounds to 1e-8 on its own).
TEST_F(OutlineTest, ChainedTableFindsTheStripsCorners) {
  constexpr int kPoints = 40;
  // Bottom points on the X axis, top points above them, uneven steps.
  std::vector<Pt> strip;
  for (int k = 0; strip.size() < kPoints; ++k) {
    strip.push_back({10.0 * k + k % 3, 0.0});
    strip.push_back({10.0 * k + 3.6 + 1.5 * (k % 2), 4.8 + 0.7 * (k % 4)});
  }
  const auto text = [](double v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.17g", v);
    return std::string(s);
  };
  const auto distance = [](Pt a, Pt b) { return std::hypot(a.x - b.x, a.y - b.y); };
  std::vector<Row> rows;
  for (int n = 3; n <= kPoints; ++n) {
    const Pt p = strip[n - 1], a = strip[n - 3], b = strip[n - 2];
    // A bottom point lies right of the line from the bottom point before to
    // the top point between them, a top point left.
    rows.push_back({std::to_string(n - 2), text(distance(p, a)), std::to_string(n - 1),
                    text(distance(p, b)), p.y == 0.0 ? "1" : "0"});
  }
  const double turn = 33.3 / 180.0 * std::numbers::pi - std::atan2(strip[1].y, strip[1].x);
  TableStub table(text(distance(strip[1], strip[0])), "33.3", rows);
  ExpectCounters(Compute(table), kPoints, kPoints, 1 + 2 * (kPoints - 2));
  const std::vector<Pt> pts = Points();
  ASSERT_EQ(pts.size(), strip.size());
  const double tolerance = 1e-9 * strip.back().x;
  for (size_t i = 0; i < pts.size(); ++i) {
    const Pt& s = strip[i];
    EXPECT_NEAR(pts[i].x, s.x * std::cos(turn) - s.y * std::sin(turn), tolerance)
        << "point " << i + 1;
    EXPECT_NEAR(pts[i].y, s.x * std::sin(turn) + s.y * std::cos(turn), tolerance)
        << "point " << i + 1;
  }
}

}  // namespace
