// Exact decimals for figures a reviewer checks with a calculator: lengths
// held as whole millimetres, areas as whole units of a chosen decimal, and
// the rounding and cutting done on integers, so a printed total is exactly
// the sum of its printed rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// 10 to the power n, n in 0..18.
int64_t PowerOfTen(int n);

// The text times 10^shift, rounded half away from zero to a whole number:
// "1.2345" with shift 3 gives 1235. Plain decimals (leading spaces, a sign,
// digits, one ".") are read exactly; anything else TextToReal reads goes
// through its double. Nothing when the text reads as 0 though it is not a
// plain zero, or when the result would not fit.
std::optional<int64_t> TextToUnits(std::string_view t, int shift);

// units / 10^decimals with exactly that many decimals: (-5, 3) gives
// "-0.005".
std::string FormatUnits(int64_t units, int decimals);

// Products of four lengths in millimetres overflow 64 bits.
__extension__ typedef unsigned __int128 TUInt128;

// round(sqrt(n) / k), halves up, for a non-negative n below 2^126 and
// k > 0, worked on integers: the area of a triangle from its squared form.
int64_t RoundedRootOver(TUInt128 n, int64_t k);
