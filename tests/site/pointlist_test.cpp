// Lists of points with lengths, as typed and as the block keeps them.
#include "site/pointlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/sjis.h"

namespace {

TEST(PointValues, TypedInTheTablesUnitOrRefusedWithTheItem) {
  struct Case {
    const char* typed;
    bool pairs, metres;
    std::vector<TPointValue> list;  // empty with bad: refused
    const char* bad;
  };
  const Case cases[] = {
      {"1-3 15.620, 2-4：12.0104、1-2=0.3",
       true,
       true,
       {{1, 3, 15620}, {2, 4, 12010}, {1, 2, 300}},
       ""},
      {"1:2000，　4 3000,", false, false, {{1, 0, 2000}, {4, 0, 3000}}, ""},
      {"  ", true, false, {}, ""},
      {"1-3 15620, 3-3 10", true, false, {}, "3-3 10"},
      {"1-3 -5", true, false, {}, "1-3 -5"},
      {"1-3 15620", false, false, {}, "1-3 15620"},
      {"1 0.0004", false, true, {}, "1 0.0004"},
  };
  for (const Case& c : cases) {
    std::string bad;
    const auto list = ParseTypedPointValues(Sjis(c.typed), c.pairs, c.metres, bad);
    EXPECT_EQ(list.has_value(), *c.bad == '\0') << c.typed;
    if (list) {
      EXPECT_EQ(*list, c.list) << c.typed;
    }
    EXPECT_EQ(bad, c.bad) << c.typed;
  }
  EXPECT_EQ(TypedPointValues({{1, 3, 15620}, {2, 4, 300}}, true), "1-3 15.620, 2-4 0.300");
  EXPECT_EQ(TypedPointValues({{1, 0, 2000}}, false), "1 2000");
}

}  // namespace
