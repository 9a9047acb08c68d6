// Tests of the number parsers, the Shift-JIS text helpers and the geometry.
#include "common/myfunc.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace {

struct IntCase {
  const char* text;
  int32_t value;
};

TEST(TextToInt, ReadsWholeTextOrGivesZero) {
  const IntCase cases[] = {
      {"12", 12},
      {" 12", 12},
      {"   -3", -3},
      {"+7", 7},
      {"007", 7},
      {"-0", 0},
      {"$1F", 31},
      {"$1f", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$1F", -31},
      {"+0x10", 16},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$7FFFFFFF", 2147483647},
      {"-$80000000", -2147483647 - 1},
      {"", 0},
      {" ", 0},
      {"12 ", 0},
      {"1.0", 0},
      {"2147483648", 0},
      {"-2147483649", 0},
      {"99999999999999999999999", 0},
      {"$80000000", 0},
      {"$FFFFFFFF", 0},
      {"$", 0},
      {"0x", 0},
      {"$G", 0},
      {"-", 0},
      {"+-1", 0},
      {"- 1", 0},
      {"\t12", 0},
      {"1e3", 0},
      {"$-1", 0},
      {"x1F", 0},
      {"\x82\x50\x82\x51", 0},  // full-width "12"
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToInt, StopsAtTheEndOfTheView) {
  const std::string text = "123456";
  EXPECT_EQ(TextToInt(std::string_view(text).substr(0, 3)), 123);
}

struct RealCase {
  const char* text;
  double value;
};

TEST(TextToReal, ReadsWholeTextOrGivesZero) {
  const RealCase cases[] = {
      {"2.5", 2.5},
      {" 2.5", 2.5},
      {"-2.5", -2.5},
      {"+2.5", 2.5},
      {"1e3", 1000},
      {"1E3", 1000},
      {"1.5e-3", 0.0015},
      {"-1.5E+3", -1500},
      {".5", 0.5},
      {"5.", 5},
      {"007", 7},
      {"0.1", 0.1},
      {"123456789012345678", 123456789012345678.0},
      {"1e308", 1e308},
      {"", 0},
      {" ", 0},
      {"2,5", 0},
      {"2.5 ", 0},
      {".", 0},
      {"-", 0},
      {"e3", 0},
      {"1e", 0},
      {"1e+", 0},
      {"1.2.3", 0},
      {"--1", 0},
      {"inf", 0},
      {"nan", 0},
      {"infinity", 0},
      {"0x1p3", 0},
      {"1e400", 0},
      {"-1e400", 0},
      {"\t1", 0},
      {"\x82\x51.5", 0},  // full-width digit
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToReal(c.text), c.value) << '"' << c.text << '"';
    const std::string_view text = c.text;
    const std::string padded = std::string(text) + std::string(kRealPadding, '5');
    EXPECT_EQ(TextToRealPadded(std::string_view(padded).substr(0, text.size())), c.value)
        << '"' << c.text << '"';
  }
}

// The text in a buffer followed by the padding TextToRealPadded may read,
// of digits, points and signs that must not count.
std::string WithPadding(const std::string& text, std::mt19937& random) {
  std::string bytes = text;
  for (size_t i = 0; i < kRealPadding; ++i) bytes += "0123456789.-+e \0"[random() % 16];
  return bytes;
}

// A random decimal as the host writes them, now and then of another form
// or too long for the fast ways.
std::string RandomDecimal(std::mt19937& random) {
  const auto digits = [&random](int most) {
    std::string d(random() % (most + 1), '0');
    for (char& c : d) c = static_cast<char>('0' + random() % 10);
    return d;
  };
  std::string t = std::string(1, "-+ 0"[random() % 4]).substr(0, random() % 3 == 0 ? 1 : 0);
  t += digits(random() % 4 == 0 ? 20 : 6);
  if (random() % 4 != 0) t += "." + digits(random() % 4 == 0 ? 20 : 10);
  if (random() % 16 == 0) t += "e" + std::string(random() % 2 ? "-" : "") + digits(3);
  if (random() % 32 == 0) t.insert(random() % (t.size() + 1), 1, "x.-e"[random() % 4]);
  return t;
}

// Both readers agree to the bit with the general conversion on every text
// of the host's numbers, whatever follows the text in memory.
TEST(TextToReal, FastWaysMatchTheGeneralConversion) {
  std::mt19937 random(20261207);
  for (int i = 0; i < 100000; ++i) {
    const std::string text = RandomDecimal(random);
    std::string_view body = text;
    while (body.starts_with(' ')) body.remove_prefix(1);
    const bool negative = body.starts_with('-');
    if (negative || body.starts_with('+')) body.remove_prefix(1);
    double expected = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), expected);
    const bool whole = ec == std::errc() && end == body.data() + body.size() &&
                       !body.starts_with('-') && !body.starts_with('+');
    expected = !whole ? 0.0 : negative ? -expected : expected;
    const std::string padded = WithPadding(text, random);
    const double fast = TextToRealPadded(std::string_view(padded).substr(0, text.size()));
    EXPECT_EQ(std::bit_cast<uint64_t>(TextToReal(text)), std::bit_cast<uint64_t>(expected)) << text;
    ASSERT_EQ(std::bit_cast<uint64_t>(fast), std::bit_cast<uint64_t>(expected)) << text;
  }
}

// Sets a process locale whose decimal separator is a comma: an installed
// German or French one, or else one built from the system's locale sources
// into a scratch folder. False when neither is possible.
bool SetCommaLocale(std::string& scratch) {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "German"}) {
    if (std::setlocale(LC_ALL, name)) return true;
  }
#ifdef _WIN32
  (void)scratch;
  return false;
#else
  char folder[] = "/tmp/horune-locale-XXXXXX";
  if (!mkdtemp(folder)) return false;
  scratch = folder;
  const std::string build =
      "localedef -i de_DE -f UTF-8 " + scratch + "/de_DE.UTF-8 >/dev/null 2>&1";
  if (std::system(build.c_str()) != 0) return false;
  setenv("LOCPATH", folder, 1);
  return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#endif
}

// Undoes SetCommaLocale.
void RestoreLocale(const std::string& saved, const std::string& scratch) {
  std::setlocale(LC_ALL, saved.c_str());
  if (scratch.empty()) return;
#ifndef _WIN32
  unsetenv("LOCPATH");
#endif
  std::filesystem::remove_all(scratch);
}

TEST(TextToReal, IgnoresTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::string scratch;
  const bool comma = SetCommaLocale(scratch) && std::strtod("2,5", nullptr) == 2.5;
  const double dot = TextToReal("2.5");
  const double withComma = TextToReal("2,5");
  RestoreLocale(saved, scratch);
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma available";
  EXPECT_EQ(dot, 2.5);
  EXPECT_EQ(withComma, 0.0);
}

struct TextCase {
  std::string text;
  std::string expected;
};

TEST(StripBlanks, RemovesSpacesControlsAndFullWidthSpace) {
  const TextCase cases[] = {
      {"\x81\x40 \t", ""},
      {"a\x81\x40"
       "b",
       "ab"},
      {"\r\n\x1F", ""},
      {"\x7F", "\x7F"},
      {"\x82\xA0", "\x82\xA0"},
      // A trail byte that looks like a space or a control stays with its lead.
      {"\x81\x20", "\x81\x20"},
      {"\x89\x1F", "\x89\x1F"},
      {" \x81\x40\x81", "\x81"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StripBlanks(c.text), c.expected);
}

struct CopyBytesCase {
  std::string text;
  int start;
  int n;
  std::string expected;
};

TEST(CopyBytes, NeverSplitsADoubleByteCharacter) {
  const std::string kana3 = "\x82\xA0\x82\xA2\x82\xA4";
  const CopyBytesCase cases[] = {
      {kana3, 2, 4, "\x82\xA2"},
      {kana3, 1, 4, "\x82\xA0\x82\xA2"},
      {kana3, 1, 3, "\x82\xA0"},
      {kana3, 1, 1, ""},
      {kana3, 3, 100, "\x82\xA2\x82\xA4"},
      {kana3, 6, 1, ""},
      {"abc", 2, 1, "b"},
      {"abc", 2, 5, "bc"},
      {"abc", 0, 2, ""},
      {"abc", 4, 1, ""},
      {"abc", 1, 0, ""},
      {"abc", 1, -1, ""},
      {"", 1, 1, ""},
      {"a\x81\x5C"
       "b",
       2, 2, "\x81\x5C"},
      {"a\x81\x5C"
       "b",
       3, 2, "b"},
      {"abc", 1, 2147483647, "abc"},
      // A lone lead byte at the end needs room for a pair.
      {"a\x82", 1, 2, "a"},
      {"a\x82", 1, 3, "a\x82"},
  };
  for (const auto& c : cases) {
    int taken = -1;
    EXPECT_EQ(CopyBytes(c.text, c.start, c.n, taken), c.expected) << c.start << ", " << c.n;
    EXPECT_EQ(taken, static_cast<int>(c.expected.size()));
  }
}

TEST(CharCount, CountsPairsOnce) {
  EXPECT_EQ(CharCount(""), 0);
  EXPECT_EQ(CharCount("abc"), 3);
  EXPECT_EQ(CharCount("a\x82\xA0"
                      "b"),
            3);
  EXPECT_EQ(CharCount("\x81\x5C\x81\x20"), 2);
  EXPECT_EQ(CharCount("a\x82"), 2);
}

struct CopyCharsCase {
  std::string text;
  int start;
  int n;
  std::string expected;
};

TEST(CopyChars, TakesWholeCharacters) {
  const std::string mixed =
      "a\x82\xA0"
      "b";
  const CopyCharsCase cases[] = {
      {mixed, 2, 5,
       "\x82\xA0"
       "b"},
      {mixed, 1, 2, "a\x82\xA0"},
      {mixed, 3, 1, "b"},
      {mixed, 4, 1, ""},
      {mixed, 1, 0, ""},
      {mixed, 2, -3, ""},
      {mixed, 0, 2, "a"},
      {mixed, -5, 7, "a"},
      {mixed, 1, 2147483647, mixed},
      {"", 1, 1, ""},
      {"a\x82", 2, 1, "\x82"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CopyChars(c.text, c.start, c.n), c.expected) << c.start << ", " << c.n;
  }
}

TEST(RoundToInt, HalvesAwayFromZero) {
  const struct {
    double x;
    int64_t expected;
  } cases[] = {
      {2.5, 3},
      {-2.5, -3},
      {2.4999, 2},
      {-2.4999, -2},
      {0, 0},
      {-0.4, 0},
      {1e12 + 0.5, 1000000000001},
      {NAN, 0},
      {1e300, INT64_MAX},
      {-1e300, INT64_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundToInt(c.x), c.expected) << c.x;
}

TEST(RoundFine, NearestTenthOfANanometre) {
  EXPECT_DOUBLE_EQ(RoundFine(1.23456789012345), 1.2345678901);
  EXPECT_DOUBLE_EQ(RoundFine(-1.23456789016), -1.2345678902);
  EXPECT_EQ(RoundFine(4e-11), 0);
  EXPECT_DOUBLE_EQ(RoundFine(6e-11), 1e-10);
}

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

TEST(TextSpan, AddsWidthsAndSpacingBetween) {
  const struct {
    std::string text;
    double span;
  } cases[] = {
      {"ab", 11},
      {"\x82\xA0", 10},
      {"\x82\xA0\x82\xA0", 22},
      {"a\x82\xA0", 5 + 1 + 10},
      {"\x82\xA0"
       "a",
       10 + 2 + 5},
      {"a\tb", 5 + 1 + 0 + 1 + 5},
      {"", 0},
      {"a\x82", 5 + 1 + 10},
  };
  for (const auto& c : cases) EXPECT_EQ(TextSpan(c.text, 10, 2), c.span) << c.text;
}

}  // namespace
