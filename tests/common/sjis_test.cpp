// Tests of the Shift-JIS codec in both directions.
#include "common/sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Pair {
  const char* utf8;
  const char* sjis;
};

// Characters whose CP932 code differs from plain Shift_JIS, the NEC and IBM
// extensions, trail bytes that look like ASCII, and control codes.
const Pair kRoundTrips[] = {
    {"abc 123", "abc 123"},
    {"\\~", "\\~"},
    {"\x1A\x1C\x7F\t\r\n", "\x1A\x1C\x7F\t\r\n"},
    {"～", "\x81\x60"},
    {"－", "\x81\x7C"},
    {"＼", "\x81\x5F"},
    {"∥", "\x81\x61"},
    {"￠￡￢", "\x81\x91\x81\x92\x81\xCA"},
    {"―", "\x81\x5C"},
    {"①", "\x87\x40"},
    {"Ⅰ", "\x87\x54"},
    {"ⅰ", "\xFA\x40"},
    {"纊", "\xFA\x5C"},
    {"ソ表能", "\x83\x5C\x95\x5C\x94\x5C"},
    {"ｱﾟ", "\xB1\xDF"},
    {"\xEE\x80\x80", "\xF0\x40"},  // user-defined area
    {"　", "\x81\x40"},
    {"ＭＳ ゴシック", "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"},
    {"a\"ソ\"b", "a\"\x83\x5C\"b"},
};

TEST(Sjis, RoundTripsAsWindowsDoes) {
  for (const auto& p : kRoundTrips) {
    EXPECT_EQ(SjisFromUtf8(p.utf8), p.sjis) << p.utf8;
    EXPECT_EQ(Utf8FromSjis(p.sjis), p.utf8) << p.utf8;
    EXPECT_TRUE(SjisCanEncode(p.utf8)) << p.utf8;
  }
}

// Look-alikes typed on other systems reach the code Windows would pick.
TEST(SjisFromUtf8, FitsLookAlikes) {
  const Pair cases[] = {
      {"−", "\x81\x7C"},   // U+2212 minus sign
      {"〜", "\x81\x60"},  // U+301C wave dash
      {"‖", "\x81\x61"},   // U+2016 double vertical line
      {"∵", "\x81\xE6"},   // also in the NEC and IBM rows; the JIS code wins
      {"≒", "\x81\xE0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SjisFromUtf8(c.utf8), c.sjis) << c.utf8;
    EXPECT_TRUE(SjisCanEncode(c.utf8)) << c.utf8;
  }
}

TEST(SjisFromUtf8, ReplacesWhatCp932CannotHold) {
  const Pair cases[] = {
      {"😀", "?"},
      {"𠮷", "?"},
      {"é", "?"},
      {"a😀b𠮷c", "a?b?c"},
      {"\xC3", "?"},  // truncated UTF-8
      {"a\xFF"
       "b",
       "a?b"},
      {"\xED\xA0\x80", "???"},  // an encoded surrogate
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SjisFromUtf8(c.utf8), c.sjis) << c.utf8;
    EXPECT_FALSE(SjisCanEncode(c.utf8)) << c.utf8;
  }
}

TEST(SjisCanEncode, EachCallStartsAfresh) {
  EXPECT_FALSE(SjisCanEncode("😀"));
  EXPECT_TRUE(SjisCanEncode("日本語"));
  EXPECT_TRUE(SjisCanEncode(""));
}

TEST(Utf8FromSjis, ReplacesBrokenBytes) {
  const Pair cases[] = {
      {"\xEF\xBF\xBD", "\x80"},
      {"\xEF\xBF\xBD", "\xA0"},
      {"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", "\xFD\xFE\xFF"},
      {"a\xEF\xBF\xBD", "a\x82"},     // lone lead byte at the end
      {"\xEF\xBF\xBD ", "\x81\x20"},  // a blank is no trail byte
      {"\xEF\xBF\xBD\"", "\x81\x22"},
      {"\xEF\xBF\xBD\x7F", "\x81\x7F"},
      {"\xEF\xBF\xBD", "\x81\xAD"},  // unassigned pair
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8FromSjis(c.sjis), c.utf8);
}

// Every double-byte code that decodes to a character encodes back to a code
// of the same character (duplicates in the extension rows go to one code).
TEST(Sjis, EveryDoubleByteCodeIsStable) {
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string text = Utf8FromSjis(code);
      if (text == "\xEF\xBF\xBD") continue;
      ++characters;
      const std::string back = SjisFromUtf8(text);
      ASSERT_EQ(back.size(), 2u) << std::hex << lead << ' ' << trail;
      ASSERT_EQ(Utf8FromSjis(back), text) << std::hex << lead << ' ' << trail;
    }
  }
  // JIS X 0208, the NEC row 13, the NEC-selected and the IBM extensions, and
  // the user-defined area.
  EXPECT_EQ(characters, 6879 + 83 + 374 + 388 + 1880);
}

}  // namespace
