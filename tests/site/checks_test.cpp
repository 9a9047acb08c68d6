// Check distances: the tolerances by hand and what the area line says.
#include "site/checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/sjis.h"
#include "site/area.h"
#include "tests/exchange/store_setup.h"
#include "tests/site/table_stub.h"

namespace {

TEST(CheckTolerance, PublicRulesInWholeMillimetres) {
  using R = TToleranceRule;
  struct Case {
    TCheckTolerance rule;
    int64_t measured, tolerance;
  };
  const Case cases[] = {
      {{R::Kou2, 0}, 16000, 80},  // 40 + 10 · 4
      {{R::Kou2, 0}, 10000, 71},  // 40 + 10 · 3.162...
      {{R::Kou1, 0}, 16000, 32},  // 20 + 3 · 4
      {{R::Kou1, 0}, 1000, 23},  {{R::Fixed, 15}, 16000, 15},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckTolerance(c.rule, c.measured), c.tolerance);
}

class Checks : public FreshStoreTest {};

TEST_F(Checks, TheAreaLineNamesThoseBeyondTheirToleranceAndCountsTheRest) {
  // The 10 m square; its diagonals are 14.142 m.
  const TOutlineSolution square = Solve(
      "10000", "0", {{"1", "14142.136", "2", "10000", "0"}, {"1", "10000", "3", "10000", "0"}});
  struct Case {
    std::vector<TPointValue> checks;
    TCheckTolerance tolerance;
    std::string said;
  };
  const Case cases[] = {
      {{{1, 3, 14150}, {2, 4, 14180}}, {}, "検測 2件 許容内"},
      // 14.3 m: 40 + 10 · 3.78 = 77 mm.
      {{{2, 4, 14300}, {1, 3, 14150}, {1, 9, 5000}},
       {},
       "検測 2-4 +158mm（許容 77mm）超過　検測 1-9 は点が求まっていません　検測 1件 許容内"},
      {{{1, 3, 14130}}, {TToleranceRule::Fixed, 10}, "検測 1-3 -12mm（許容 10mm）超過"},
  };
  for (const Case& c : cases) {
    TAreaSettings s;
    s.Checks = c.checks;
    s.Tolerance = c.tolerance;
    EXPECT_EQ(AreaLine(ComputeArea(square, s)),
              Sjis("敷地面積 100.00㎡（30.25坪） ヘロン法・2三角形　" + c.said));
  }
}

}  // namespace
