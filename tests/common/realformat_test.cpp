// Tests of the exchange file's number format.
#include "common/realformat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "common/numbers.h"

namespace {

struct FormatCase {
  double value;
  const char* text;
};

TEST(FormatReal, GeneralFormatWithFifteenDigits) {
  const FormatCase cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {2.5, "2.5"},
      {-2.5, "-2.5"},
      {100, "100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},
      {123.456, "123.456"},
      {12345.678901234567, "12345.6789012346"},
      {-1234567.25, "-1234567.25"},
      {0.00001, "0.00001"},
      {0.0000123, "0.0000123"},
      {std::nextafter(0.00001, 0.0), "0.00001"},
      {0.0000099999, "9.9999E-6"},
      {1e-6, "1E-6"},
      {-1e-6, "-1E-6"},
      {1.5e-7, "1.5E-7"},
      {1e-300, "1E-300"},
      {999999999999999, "999999999999999"},
      {999999999999999.9, "1E15"},
      {1e15, "1E15"},
      {1234567890123456, "1.23456789012346E15"},
      {1e20, "1E20"},
      {-2.5e100, "-2.5E100"},
      {DBL_MAX, "1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatReal(c.value), c.text) << c.text;
}

// The host must never meet a word where it expects a number.
TEST(FormatReal, NonFiniteValuesBecomeZero) {
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity()), "0");
  EXPECT_EQ(FormatReal(-std::numeric_limits<double>::infinity()), "0");
}

TEST(AppendReal, AppendsTheSameText) {
  std::string line = "ci ";
  AppendReal(line, 1.5);
  line += ' ';
  AppendReal(line, -1e-7);
  EXPECT_EQ(line, "ci 1.5 -1E-7");
}

TEST(AppendInt, AppendsDecimalDigitsAndSign) {
  std::string line = "lc10 ";
  AppendInt(line, 16777215);
  for (int64_t v : {int64_t{0}, int64_t{-3}, std::numeric_limits<int64_t>::min()}) {
    line += ' ';
    AppendInt(line, v);
  }
  EXPECT_EQ(line, "lc10 16777215 0 -3 -9223372036854775808");
}

// Written then read back, a value keeps its first 15 significant digits,
// and writing it again gives the same text.
TEST(FormatReal, ReadsBackToFifteenDigits) {
  std::mt19937_64 random(20240607);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 20000; ++i) {
    const double sign = (i % 2 != 0) ? -1.0 : 1.0;
    const double v = sign * mantissa(random) * std::pow(10.0, exponent(random));
    const std::string text = FormatReal(v);
    const double back = TextToReal(text);
    ASSERT_LE(std::fabs(back - v), 5.2e-15 * std::fabs(v)) << text;
    ASSERT_EQ(FormatReal(back), text);
  }
}

}  // namespace
