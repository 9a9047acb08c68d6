// The number format of the exchange file: the general format with at most 15
// significant digits, "." as the decimal point, exponent form below 1e-5 and
// beyond 15 integer digits (2.5, 100, 0.333333333333333, 1E-6).
#pragma once

#include <cstdint>
#include <string>

// The value in the exchange file's number format.
std::string FormatReal(double v);

// Appends FormatReal(v) to out without a temporary string.
void AppendReal(std::string& out, double v);

// Appends the decimal digits of v, with a "-" when negative.
void AppendInt(std::string& out, int64_t v);
