// Tests of the Shift-JIS text helpers.
#include "common/sjischars.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
