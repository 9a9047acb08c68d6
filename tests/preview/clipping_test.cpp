// Outcodes, segment and box clipping, on and just inside the edges.
#include "preview/clipping.h"

#include <gtest/gtest.h>

namespace {

TEST(ClipOutcode, EdgesAndTheirToleranceCountAsOutside) {
  const struct {
    double x, y;
    int code;
  } cases[] = {
      {50, 50, 0},
      {0, 50, kClipLeft},
      {1e-13, 50, kClipLeft},
      {2e-12, 50, 0},
      {100, 50, kClipRight},
      {50, 0, kClipBottom},
      {50, 100, kClipTop},
      {-5, 120, kClipLeft | kClipTop},
      {150, -1, kClipRight | kClipBottom},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClipOutcode(c.x, c.y, 0, 0, 100, 100), c.code) << c.x << "," << c.y;
  }
}

TEST(PointVisible, ZeroOnlyStrictlyInside) {
  EXPECT_EQ(PointVisible(50, 50, 0, 0, 100, 100), 0);
  EXPECT_EQ(PointVisible(0, 50, 0, 0, 100, 100), 2);
  EXPECT_EQ(PointVisible(-1, 200, 0, 0, 100, 100), 2);
}

TEST(ClipBoxTest, ClassifiesCornerPairs) {
  EXPECT_EQ(ClipBoxTest(10, 10, 90, 90, 0, 0, 100, 100), 0);
  EXPECT_EQ(ClipBoxTest(10, 10, 150, 90, 0, 0, 100, 100), 1);
  EXPECT_EQ(ClipBoxTest(-50, -50, 150, 150, 0, 0, 100, 100), 1);
  EXPECT_EQ(ClipBoxTest(-50, 10, -10, 90, 0, 0, 100, 100), 2);
}

struct SegmentCase {
  double x1, y1, x2, y2;
  int result;
  double ex1, ey1, ex2, ey2;
};

TEST(ClipSegment, OnePassCases) {
  const SegmentCase cases[] = {
      // Crossing the view from left to right.
      {-50, 50, 150, 50, 1, 0, 50, 100, 50},
      // Wholly left.
      {-50, 50, -10, 60, 2, -50, 50, -10, 60},
      // Wholly inside.
      {10, 10, 20, 20, 0, 10, 10, 20, 20},
      // On the top edge: both ends carry the top bit.
      {10, 100, 90, 100, 2, 10, 100, 90, 100},
      // Ending on the top edge: the end is "cut" onto itself.
      {50, 50, 50, 100, 1, 50, 50, 50, 100},
      // Entering through a corner region: left first, then bottom.
      {-10, -30, 50, 30, 1, 20, 0, 50, 30},
      // Vertical from below: the left and right cuts are skipped as parallel.
      {50, -20, 50, 40, 1, 50, 0, 50, 40},
  };
  for (const SegmentCase& c : cases) {
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    EXPECT_EQ(ClipSegment(x1, y1, x2, y2, 0, 0, 100, 100), c.result)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    EXPECT_NEAR(x1, c.ex1, 1e-9);
    EXPECT_NEAR(y1, c.ey1, 1e-9);
    EXPECT_NEAR(x2, c.ex2, 1e-9);
    EXPECT_NEAR(y2, c.ey2, 1e-9);
  }
}

TEST(ClipSegment, MissingTheViewBeyondACornerIsNothing) {
  // No edge has both ends beyond it, so only the cuts find that the segment
  // passes below-left of the corner (0, 0): both ends land on one point.
  double x1 = -30, y1 = 10, x2 = 10, y2 = -30;
  EXPECT_EQ(ClipSegment(x1, y1, x2, y2, 0, 0, 100, 100), 2);
}

TEST(ClipSegment, ASegmentCutToOnePointIsNothing) {
  // Touches the view only at its corner (0, 0).
  double x1 = -10, y1 = 10, x2 = 10, y2 = -10;
  EXPECT_EQ(ClipSegment(x1, y1, x2, y2, 0, 0, 100, 100), 2);
}

TEST(ClipSegmentToBox, CutsExactlyAlongTheLineOrRejects) {
  double x1 = -1e12, y1 = -1e12, x2 = 50, y2 = 50;
  ASSERT_TRUE(ClipSegmentToBox(x1, y1, x2, y2, -100, -100, 100, 100));
  EXPECT_DOUBLE_EQ(x1, -100);
  EXPECT_DOUBLE_EQ(y1, -100);
  EXPECT_EQ(x2, 50) << "an end inside keeps its exact value";
  EXPECT_EQ(y2, 50);

  double a = -1e12, b = 500, c = 1e12, d = 500;
  EXPECT_FALSE(ClipSegmentToBox(a, b, c, d, -100, -100, 100, 100));
}

}  // namespace
