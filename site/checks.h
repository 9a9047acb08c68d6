// Check distances (検測): a distance measured again between two points the
// table has already fixed, set against the one the computation gives, with
// the tolerance of the public survey rules: 甲二 0.04 + 0.01√S m, 甲一
// 0.020 + 0.003√S m (S the distance in m), or a fixed value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "site/outline.h"

enum class TToleranceRule : uint8_t { Kou2, Kou1, Fixed };

// A fixed tolerance beyond this (10 m) is no check's.
inline constexpr int64_t kMaxToleranceMm = 10'000;

struct TCheckTolerance {
  TToleranceRule Rule = TToleranceRule::Kou2;
  int64_t FixedMm = 0;  // with Fixed, 1 .. kMaxToleranceMm
  bool operator==(const TCheckTolerance&) const = default;
};

struct TCheckDistance {
  int32_t P = 0;
  int32_t Q = 0;
  bool Known = false;  // both points are computed
  int64_t Measured = 0;
  int64_t Computed = 0;
  int64_t Tolerance = 0;  // whole mm, cut: a difference in mm is within it or not
  int64_t Difference() const { return Measured - Computed; }
  bool Out() const { return Known && (Difference() > Tolerance || -Difference() > Tolerance); }
};

// The tolerance of a measured distance in whole millimetres.
int64_t CheckTolerance(const TCheckTolerance& tolerance, int64_t measuredMm);

// The check of the distance measured between p and q.
TCheckDistance CheckDistance(const TOutlineSolution& solution, int32_t p, int32_t q,
                             int64_t measuredMm, double mmPerUnit,
                             const TCheckTolerance& tolerance);

// What the area line says of the checks, UTF-8, a phrase each: every check
// beyond its tolerance or between points not computed by name, then how
// many are within.
std::vector<std::string> ChecksSummary(const std::vector<TCheckDistance>& checks);

// A check's label along its line, UTF-8: "検測 12.345（計算 12.340）".
std::string CheckLabel(const TCheckDistance& check);
