// The vertical forms read from a GSUB table: only the vertical features'
// substitutions, in every subtable format, and nothing past the bytes.
#include "raster/verticalforms.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A table written big-endian, with offsets filled in once known.
struct Bytes {
  std::string b;
  size_t U16(uint32_t v) {
    b += static_cast<char>((v >> 8) & 0xFF);
    b += static_cast<char>(v & 0xFF);
    return b.size() - 2;
  }
  void U32(uint32_t v) {
    U16(v >> 16);
    U16(v & 0xFFFF);
  }
  void Tag(const char* t) { b.append(t, 4); }
  // The offset at `at` made to point here, from `from`.
  void Here(size_t at, size_t from) {
    const size_t v = b.size() - from;
    b[at] = static_cast<char>(v >> 8);
    b[at + 1] = static_cast<char>(v & 0xFF);
  }
};

// A 'liga' feature (lookup 0: 5 -> 105) and a 'vert' feature whose lookups
// are a format 2 substitution (10, 11 -> 201, 202) and an extension to a
// format 1 one (20 -> 17).
std::string SampleGsub() {
  Bytes t;
  t.U16(1), t.U16(0), t.U16(0);
  const size_t featureListAt = t.U16(0);
  const size_t lookupListAt = t.U16(0);
  const size_t features = t.b.size();
  t.Here(featureListAt, 0);
  t.U16(2);
  t.Tag("liga");
  const size_t liga = t.U16(0);
  t.Tag("vert");
  const size_t vert = t.U16(0);
  t.Here(liga, features);
  t.U16(0), t.U16(1), t.U16(0);
  t.Here(vert, features);
  t.U16(0), t.U16(2), t.U16(1), t.U16(2);
  const size_t lookups = t.b.size();
  t.Here(lookupListAt, 0);
  t.U16(3);
  const size_t l0 = t.U16(0), l1 = t.U16(0), l2 = t.U16(0);
  // Lookup 0: format 1, delta 100, covering glyph 5.
  t.Here(l0, lookups);
  size_t lookup = t.b.size();
  t.U16(1), t.U16(0), t.U16(1);
  size_t sub = t.U16(0);
  t.Here(sub, lookup);
  t.U16(1), t.U16(6), t.U16(100);
  t.U16(1), t.U16(1), t.U16(5);
  // Lookup 1: format 2 over a range coverage.
  t.Here(l1, lookups);
  lookup = t.b.size();
  t.U16(1), t.U16(0), t.U16(1);
  sub = t.U16(0);
  t.Here(sub, lookup);
  t.U16(2), t.U16(10), t.U16(2), t.U16(201), t.U16(202);
  t.U16(2), t.U16(1), t.U16(10), t.U16(11), t.U16(0);
  // Lookup 2: an extension to format 1 with a negative delta.
  t.Here(l2, lookups);
  lookup = t.b.size();
  t.U16(7), t.U16(0), t.U16(1);
  sub = t.U16(0);
  t.Here(sub, lookup);
  t.U16(1), t.U16(1), t.U32(8);
  t.U16(1), t.U16(6), t.U16(0x10000 - 3);
  t.U16(1), t.U16(1), t.U16(20);
  return t.b;
}

TEST(VerticalForms, TakesTheVerticalFeaturesSubstitutionsOnly) {
  const auto forms = VerticalForms(SampleGsub());
  const std::unordered_map<uint16_t, uint16_t> expected = {{10, 201}, {11, 202}, {20, 17}};
  EXPECT_EQ(forms, expected);
}

TEST(VerticalForms, ACutTableGivesNoMoreThanItHolds) {
  const std::string whole = SampleGsub();
  const auto all = VerticalForms(whole);
  for (size_t size = 0; size < whole.size(); ++size) {
    for (const auto& [from, to] : VerticalForms(std::string_view(whole).substr(0, size))) {
      ASSERT_EQ(all.count(from), 1u) << size;
      EXPECT_EQ(all.at(from), to) << size;
    }
  }
}

}  // namespace
