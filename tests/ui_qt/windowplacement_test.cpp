// Where a window with kept bounds is placed, and how large it may be.
#include "ui/qt/windowplacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(VisibleWindowPos, MovesOnlyAWindowNoScreenShows) {
  const QRect primary(0, 0, 1920, 1040);
  const QRect right(1920, 0, 1280, 1024);
  const QSize size(660, 539);
  struct Case {
    QPoint pos;
    QList<QRect> screens;
    QPoint want;
  };
  const Case cases[] = {
      {{192, 134}, {primary}, {192, 134}},
      {{-560, -489}, {primary}, {-560, -489}},  // 100 x 50 still shows
      {{-561, 100}, {primary}, {0, 0}},         // 99 pixels wide on screen
      {{100, 991}, {primary}, {0, 0}},          // 49 pixels high on screen
      {{2500, 300}, {primary, right}, {2500, 300}},
      {{2500, 300}, {primary}, {0, 0}},  // the second monitor is gone
      {{INT_MAX, INT_MAX}, {primary}, {0, 0}},
      {{INT_MIN, INT_MIN}, {primary}, {0, 0}},
      {{3000, 50}, {QRect(1920, 24, 1280, 1000), right}, {3000, 50}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VisibleWindowPos(c.pos, size, c.screens, primary), c.want) << c.pos.x();
  }
  EXPECT_EQ(VisibleWindowPos({5000, 0}, size, {primary}, QRect(0, 30, 1920, 1010)), QPoint(0, 30));
}

TEST(VisibleWindowSize, NoLargerThanTheDesktop) {
  const QRect primary(0, 0, 1920, 1040);
  const QRect right(1920, 0, 1280, 1024);
  struct Case {
    QSize size;
    QList<QRect> screens;
    QSize want;
  };
  const Case cases[] = {
      {{660, 539}, {primary}, {660, 539}},
      {{1920, 1040}, {primary}, {1920, 1040}},
      {{3000, 900}, {primary, right}, {3000, 900}},
      {{3000, 900}, {primary}, {1920, 900}},  // the second monitor is gone
      {{INT_MAX, INT_MAX}, {primary, right}, {3200, 1040}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VisibleWindowSize(c.size, c.screens), c.want) << c.size.width();
  }
}

}  // namespace
