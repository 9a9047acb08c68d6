// Tests of the plane geometry.
#include "common/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(Direction, CountsCounterClockwiseFromPlusX) {
  const struct {
    double x;
    double y;
    double degrees;
  } cases[] = {
      {1, 0, 0},  {0, 1, 90},   {-1, 0, 180}, {0, -1, 270},
      {1, 1, 45}, {1, -1, 315}, {0, 0, 0},    {5e-11, -5e-11, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DirectionDeg(c.x, c.y), c.degrees) << c.x << ", " << c.y;
    EXPECT_NEAR(DirectionRad(c.x, c.y), c.degrees * std::numbers::pi / 180, 1e-15);
  }
}

TEST(DirectionRad, StaysBelowTwoPi) {
  EXPECT_LT(DirectionRad(1, -1e-300), 2 * std::numbers::pi);
  EXPECT_GE(DirectionRad(1, -1e-300), 0);
  EXPECT_EQ(DirectionRad(-1, -0.0), std::numbers::pi);
}

TEST(DirectionDeg, MayRoundUpTo360) {
  EXPECT_EQ(DirectionDeg(1, -1e-13), 360);
}

TEST(Rotate, TurnsCounterClockwiseAboutTheCenter) {
  EXPECT_NEAR(RotateX(2, 1, 1, 1, std::numbers::pi / 2), 1, 1e-15);
  EXPECT_NEAR(RotateY(2, 1, 1, 1, std::numbers::pi / 2), 2, 1e-15);
  EXPECT_NEAR(RotateX(3, 4, 0, 0, std::numbers::pi), -3, 1e-14);
  EXPECT_NEAR(RotateY(3, 4, 0, 0, std::numbers::pi), -4, 1e-14);
  EXPECT_EQ(RotateX(3, 4, 1, 1, 0), 3);
  EXPECT_EQ(RotateY(3, 4, 1, 1, 0), 4);
}

struct SegmentCase {
  double s[8];
  int result;
  double x;
  double y;
};

TEST(SegmentCross, IntersectsTheLinesThroughTheSegments) {
  const SegmentCase cases[] = {
      {{0, 0, 10, 0, 5, -1, 5, 1}, 1, 5, 0},
      {{0, 0, 1, 0, 5, -1, 5, 1}, 2, 5, 0},
      {{5, -1, 5, 1, 0, 0, 10, 0}, 1, 5, 0},
      {{0, 0, 10, 10, 0, 10, 10, 0}, 1, 5, 5},
      {{0, 0, 1, 1, 3, 0, 4, -1}, 2, 1.5, 1.5},
      // Touching at an end within the widened box still counts as inside.
      {{0, 0, 10, 0, 10 + 5e-9, -1, 10 + 5e-9, 1}, 1, 10 + 5e-9, 0},
      {{0, 0, 10, 0, 10 + 2e-8, -1, 10 + 2e-8, 1}, 2, 10 + 2e-8, 0},
  };
  for (const auto& c : cases) {
    double x = -99;
    double y = -99;
    const auto& s = c.s;
    EXPECT_EQ(SegmentCross(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], x, y), c.result);
    EXPECT_NEAR(x, c.x, 1e-12);
    EXPECT_NEAR(y, c.y, 1e-12);
  }
}

TEST(SegmentCross, LeavesOutputsAloneWhenParallel) {
  const double parallel[][8] = {
      {0, 0, 10, 0, 0, 1, 10, 1},
      {0, 0, 0, 10, 1, 0, 1, 10},
      {0, 0, 1, 1, 0, 1, 1, 2},
      {0, 0, 0, 0, 5, 5, 5, 6},
  };
  for (const auto& s : parallel) {
    double x = -99;
    double y = -99;
    EXPECT_EQ(SegmentCross(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], x, y), 0);
    EXPECT_EQ(x, -99);
    EXPECT_EQ(y, -99);
  }
}

struct CircleCase {
  double x1, y1, r1, x2, y2, r2;
  int result;
  double ax, ay, bx, by;
};

TEST(CircleCross, FindsBothPointsLeftAndRight) {
  const CircleCase cases[] = {
      {0, 0, 6, 10, 0, 8, 2, 3.6, -4.8, 3.6, 4.8},
      {10, 0, 8, 0, 0, 6, 2, 3.6, 4.8, 3.6, -4.8},
      {0, 0, 5, 10, 0, 5, 1, 5, 0, 5, 0},
      {0, 0, 5, 0, 10, 5, 1, 0, 5, 0, 5},
      // One circle inside the other, touching from within.
      {0, 0, 10, 4, 0, 6, 1, 10, 0, 10, 0},
      {0, 0, 5, 0, 8, 5, 2, 3, 4, -3, 4},
  };
  for (const auto& c : cases) {
    double ax = -99, ay = -99, bx = -99, by = -99;
    EXPECT_EQ(CircleCross(c.x1, c.y1, c.r1, c.x2, c.y2, c.r2, ax, ay, bx, by), c.result);
    EXPECT_NEAR(ax, c.ax, 1e-7);
    EXPECT_NEAR(ay, c.ay, 1e-7);
    EXPECT_NEAR(bx, c.bx, 1e-7);
    EXPECT_NEAR(by, c.by, 1e-7);
  }
}

// A gap below the snapping step still counts as touching; the points then
// lie close together, not on one spot.
TEST(CircleCross, GapBelowTheStepTouches) {
  double ax, ay, bx, by;
  EXPECT_EQ(CircleCross(1, 1, 5, 1, 11, 5 + 1e-9, ax, ay, bx, by), 1);
  EXPECT_NEAR(ax, 1, 1e-3);
  EXPECT_NEAR(ay, 6, 1e-8);
  EXPECT_NEAR(bx, 1, 1e-3);
  EXPECT_NEAR(by, 6, 1e-8);
}

TEST(CircleCross, LeavesOutputsAloneWhenNoPoint) {
  const double none[][6] = {
      {0, 0, 2, 10, 0, 3},    // too far apart
      {0, 0, 10, 1, 0, 2},    // one inside the other
      {0, 0, 5, 5e-9, 0, 5},  // coincident centres
      {0, 0, 4.99999998, 10, 0, 5},
  };
  for (const auto& c : none) {
    double ax = -99, ay = -99, bx = -99, by = -99;
    EXPECT_EQ(CircleCross(c[0], c[1], c[2], c[3], c[4], c[5], ax, ay, bx, by), 0);
    EXPECT_EQ(ax, -99);
    EXPECT_EQ(ay, -99);
    EXPECT_EQ(bx, -99);
    EXPECT_EQ(by, -99);
  }
}

TEST(CircleCross, PointsLieOnBothCircles) {
  const double cx1 = 123.456, cy1 = -78.9, cx2 = 130.1, cy2 = -70.2;
  for (double r1 = 2; r1 < 20; r1 += 0.7) {
    for (double r2 = 2; r2 < 20; r2 += 0.9) {
      double ax, ay, bx, by;
      if (CircleCross(cx1, cy1, r1, cx2, cy2, r2, ax, ay, bx, by) != 2) continue;
      EXPECT_NEAR(PointDistance(ax, ay, cx1, cy1), r1, 1e-6);
      EXPECT_NEAR(PointDistance(ax, ay, cx2, cy2), r2, 1e-6);
      EXPECT_NEAR(PointDistance(bx, by, cx1, cy1), r1, 1e-6);
      EXPECT_NEAR(PointDistance(bx, by, cx2, cy2), r2, 1e-6);
      // A on the left of centre 2 -> centre 1: positive cross product.
      const double cross = (cx1 - cx2) * (ay - cy2) - (cy1 - cy2) * (ax - cx2);
      EXPECT_GT(cross, 0);
    }
  }
}

}  // namespace
