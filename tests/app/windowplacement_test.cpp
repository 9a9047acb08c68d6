// Where a window with kept bounds is placed, and how large it may be.
#include "app/windowplacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(VisibleWindowBounds, MovesOnlyAWindowNoScreenShows) {
  const TBounds primary{0, 0, 1920, 1040};
  const TBounds right{1920, 0, 1280, 1024};
  struct Case {
    int32_t x, y;
    std::vector<TBounds> screens;
    int32_t wantX, wantY;
  };
  const Case cases[] = {
      {192, 134, {primary}, 192, 134},
      {-560, -489, {primary}, -560, -489},  // 100 x 50 still shows
      {-561, 100, {primary}, 0, 0},         // 99 pixels wide on screen
      {100, 991, {primary}, 0, 0},          // 49 pixels high on screen
      {2500, 300, {primary, right}, 2500, 300},
      {2500, 300, {primary}, 0, 0},  // the second monitor is gone
      {INT_MAX, INT_MAX, {primary}, 0, 0},
      {INT_MIN, INT_MIN, {primary}, 0, 0},
      {3000, 50, {{1920, 24, 1280, 1000}, right}, 3000, 50},
  };
  for (const Case& c : cases) {
    const TBounds b = VisibleWindowBounds({c.x, c.y, 660, 539}, c.screens, primary);
    EXPECT_EQ(b, (TBounds{c.wantX, c.wantY, 660, 539})) << c.x;
  }
  const TBounds below{0, 30, 1920, 1010};
  EXPECT_EQ(VisibleWindowBounds({5000, 0, 660, 539}, std::vector{primary}, below),
            (TBounds{0, 30, 660, 539}));
}

TEST(VisibleWindowBounds, NoLargerThanTheDesktop) {
  const TBounds primary{0, 0, 1920, 1040};
  const TBounds right{1920, 0, 1280, 1024};
  struct Case {
    int32_t w, h;
    std::vector<TBounds> screens;
    int32_t wantW, wantH;
  };
  const Case cases[] = {
      {660, 539, {primary}, 660, 539},
      {1920, 1040, {primary}, 1920, 1040},
      {3000, 900, {primary, right}, 3000, 900},
      {3000, 900, {primary}, 1920, 900},  // the second monitor is gone
      {INT_MAX, INT_MAX, {primary, right}, 3200, 1040},
  };
  for (const Case& c : cases) {
    const TBounds b = VisibleWindowBounds({0, 0, c.w, c.h}, c.screens, primary);
    EXPECT_EQ(b.Width, c.wantW) << c.w;
    EXPECT_EQ(b.Height, c.wantH) << c.w;
  }
}

TEST(ScaledWindowBounds, TheFirstAndTheLeastSizeGrowWithTheDensity) {
  const int32_t cases[][5] = {{475, 475, 100, 475, 475},
                              {475, 475, 150, 713, 713},
                              {475, 200, 150, 713, 300},
                              {800, 250, 150, 800, 300}};
  for (const auto& c : cases) {
    EXPECT_EQ(ScaledWindowBounds({7, 9, c[0], c[1]}, c[2] / 100.0), (TBounds{7, 9, c[3], c[4]}));
  }
}

}  // namespace
