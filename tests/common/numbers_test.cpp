// Tests of the number parsers and the rounding.
#include "common/numbers.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
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
  // Appended piece by piece: GCC's -O3 warns falsely of overlapping copies
  // when a literal is put before a temporary string.
  if (random() % 4 != 0) {
    t += '.';
    t += digits(random() % 4 == 0 ? 20 : 10);
  }
  if (random() % 16 == 0) {
    t += 'e';
    if (random() % 2) t += '-';
    t += digits(3);
  }
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

}  // namespace
