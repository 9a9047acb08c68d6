// Exact decimals: parsing to whole units, formatting and the
// rounded square root the triangle areas need.
#include "common/decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/numbers.h"

int64_t PowerOfTen(int n) {
  int64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

namespace {

// Digits past this are beyond any length typed by hand; the rounding reads
// only the first one after the kept ones.
constexpr int kMaxDigits = 18;

std::optional<int64_t> PlainDecimalUnits(std::string_view t, int shift) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  int64_t whole = 0;
  int digits = 0;
  int after = -1;  // digits after the point, -1 before it
  bool roundUp = false;
  bool any = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '.' && after < 0) {
      after = 0;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    any = true;
    if (after >= 0 && after >= shift) {
      // The first dropped digit decides the rounding; the rest cannot.
      if (after == shift) roundUp = c >= '5';
      ++after;
      continue;
    }
    if (whole == 0 && c == '0') {
      if (after >= 0) ++after;
      continue;
    }
    if (++digits > kMaxDigits) return std::nullopt;
    whole = whole * 10 + (c - '0');
    if (after >= 0) ++after;
  }
  if (!any) return std::nullopt;
  const int kept = after < 0 ? 0 : std::min(after, shift);
  const int scale = shift - kept;
  if (digits + scale > kMaxDigits) return std::nullopt;
  int64_t units = whole * PowerOfTen(scale) + (roundUp ? 1 : 0);
  return negative ? -units : units;
}

}  // namespace

std::optional<int64_t> TextToUnits(std::string_view t, int shift) {
  if (std::optional<int64_t> exact = PlainDecimalUnits(t, shift)) return exact;
  const double v = TextToReal(t) * static_cast<double>(PowerOfTen(shift));
  if (v == 0.0 || !(std::abs(v) < 9e18)) return std::nullopt;
  return RoundToInt(v);
}

std::string FormatUnits(int64_t units, int decimals) {
  const bool negative = units < 0;
  const uint64_t mag = negative ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
  const std::string digits = std::to_string(mag);
  const size_t places = static_cast<size_t>(decimals);
  const size_t zeros = digits.size() <= places ? places + 1 - digits.size() : 0;
  const std::string padded = std::string(zeros, '0') + digits;
  const size_t point = padded.size() - places;
  std::string out = negative ? "-" : "";
  out.append(padded, 0, point);
  if (places > 0) out.append(".").append(padded, point, places);
  return out;
}

int64_t RoundedRootOver(TUInt128 n, int64_t k) {
  // Half up: the largest q with (2q - 1) k <= 2 sqrt(n), that is with
  // (2q - 1) k <= floor(sqrt(4n)) = s, so q = floor((s + k) / 2k).
  const TUInt128 four = n * 4;
  auto r = static_cast<TUInt128>(std::sqrt(static_cast<long double>(four)));
  while (r > 0 && r * r > four) --r;
  while ((r + 1) * (r + 1) <= four) ++r;
  const auto kk = static_cast<TUInt128>(k);
  return static_cast<int64_t>((r + kk) / (2 * kk));
}
