// Tests of the exact decimals: parsing to whole units, formatting, cutting
// and the rounded square root.
#include "common/decimal.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(TextToUnits, RoundsHalfAwayFromZeroOnTheTypedDigits) {
  struct Case {
    const char* text;
    int shift;
    std::optional<int64_t> units;
  };
  const Case cases[] = {
      {"3000", 0, 3000},        {"19602.3", 0, 19602},   {"19602.5", 0, 19603},
      {"1.0005", 3, 1001},      {"1.00049999", 3, 1000}, {"-0.0015", 3, -2},
      {" 12.", 3, 12000},       {"0.000", 3, 0},         {"3e3", 0, 3000},
      {"abc", 0, std::nullopt}, {"", 3, std::nullopt},   {"99999999999999999999", 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToUnits(c.text, c.shift), c.units) << c.text;
}

TEST(FormatUnits, WritesExactlyTheDecimalsAsked) {
  EXPECT_EQ(FormatUnits(6000000, 6), "6.000000");
  EXPECT_EQ(FormatUnits(-5, 3), "-0.005");
  EXPECT_EQ(FormatUnits(1234, 0), "1234");
  EXPECT_EQ(FormatUnits(7, 2), "0.07");
}

TEST(RoundedRootOver, RoundsHalfUpExactly) {
  EXPECT_EQ(RoundedRootOver(144, 1), 12);
  EXPECT_EQ(RoundedRootOver(156, 1), 12);  // 12.49
  EXPECT_EQ(RoundedRootOver(157, 1), 13);  // 12.53
  EXPECT_EQ(RoundedRootOver(625, 10), 3);  // 2.5 rounds up
  EXPECT_EQ(RoundedRootOver(0, 4), 0);
  // 16 A² of the 3-4-5 m triangle in mm⁴, over 4: 6 000 000 mm².
  EXPECT_EQ(RoundedRootOver(TUInt128{12000} * 6000 * 4000 * 2000, 4), 6000000);
}

}  // namespace
