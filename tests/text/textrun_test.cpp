// The font record of a run.
#include "text/textrun.h"

#include <gtest/gtest.h>

#include <numbers>

#include "tests/text/text_fixture.h"

namespace {

using TextRunTest = TextTest;

TEST_F(TextRunTest, RunFontSizesRoundHalvesToEven) {
  struct Case {
    double Angle, CellHeight, CellWidth;
    int32_t Height, Width, Escapement;
  };
  const Case cases[] = {
      {0, 2.5, 5, 2, 2, 0},
      {0, 3.5, 7, 4, 4, 0},
      {0, -4.5, -3, 4, 2, 0},
      {-std::numbers::pi / 2, 1, 1, 1, 0, -900},
      {0, 1e300, 1, 2147483520, 0, 0},  // held in 32-bit range
  };
  for (const Case& c : cases) {
    const LogFont f = RunFont(0, "F", c.Angle, c.CellHeight, c.CellWidth);
    EXPECT_EQ(f.Height, c.Height) << c.CellHeight;
    EXPECT_EQ(f.Width, c.Width) << c.CellWidth;
    EXPECT_EQ(f.Escapement, c.Escapement) << c.Angle;
  }
}

}  // namespace
