// The check distances' figures and what the window says of them.
#include "site/checks.h"

#include <cmath>

#include "common/decimal.h"
#include "common/geometry.h"
#include "common/numbers.h"

namespace {

std::string Pair(const TCheckDistance& c) {
  return std::to_string(c.P) + "-" + std::to_string(c.Q);
}

std::string SignedMm(int64_t mm) {
  // Appended, not prefixed: GCC's -O3 warns falsely of overlapping copies
  // when a literal is put before a temporary string.
  std::string out = mm > 0 ? "+" : "";
  out += std::to_string(mm);
  out += "mm";
  return out;
}

}  // namespace

int64_t CheckTolerance(const TCheckTolerance& tolerance, int64_t measuredMm) {
  const double root = std::sqrt(static_cast<double>(measuredMm) / 1000.0);
  switch (tolerance.Rule) {
    case TToleranceRule::Fixed:
      return tolerance.FixedMm;
    case TToleranceRule::Kou1:
      // A hair over a whole millimetre the sum of doubles may miss.
      return static_cast<int64_t>(std::floor(20.0 + 3.0 * root + 1e-9));
    case TToleranceRule::Kou2:
      break;
  }
  return static_cast<int64_t>(std::floor(40.0 + 10.0 * root + 1e-9));
}

TCheckDistance CheckDistance(const TOutlineSolution& sol, int32_t p, int32_t q, int64_t measuredMm,
                             double mmPerUnit, const TCheckTolerance& tolerance) {
  TCheckDistance c;
  c.P = p;
  c.Q = q;
  c.Measured = measuredMm;
  c.Tolerance = CheckTolerance(tolerance, measuredMm);
  const TSolvedPoint &a = sol.Point(p), &b = sol.Point(q);
  c.Known = a.Known && b.Known;
  if (c.Known) c.Computed = RoundToInt(PointDistance(a.X, a.Y, b.X, b.Y) * mmPerUnit);
  return c;
}

std::vector<std::string> ChecksSummary(const std::vector<TCheckDistance>& checks) {
  std::vector<std::string> phrases;
  int within = 0;
  for (const TCheckDistance& c : checks) {
    if (!c.Known) {
      phrases.push_back("検測 " + Pair(c) + " は点が求まっていません");
    } else if (c.Out()) {
      phrases.push_back("検測 " + Pair(c) + " " + SignedMm(c.Difference()) + "（許容 " +
                        std::to_string(c.Tolerance) + "mm）超過");
    } else {
      ++within;
    }
  }
  if (within > 0) phrases.push_back("検測 " + std::to_string(within) + "件 許容内");
  return phrases;
}

std::string CheckLabel(const TCheckDistance& c) {
  std::string label =
      "検測 " + FormatUnits(c.Measured, 3) + "（計算 " + FormatUnits(c.Computed, 3) + "）";
  if (c.Out()) label += " 超過";
  return label;
}
