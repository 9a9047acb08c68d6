// Numbers as text: the tolerant parsing of numbers typed by the user or read
// from the exchange file, and rounding. Stateless.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Whole text as a signed 32-bit integer: leading spaces, sign, decimal digits
// or "$"/"0x" hexadecimal. Anything else, or a value out of range, gives 0.
int32_t TextToInt(std::string_view t);

// Whole text as a double with "." as the decimal point whatever the locale.
// Anything malformed gives 0.0.
double TextToReal(std::string_view t);

// How many bytes after a text TextToRealPadded may read.
inline constexpr size_t kRealPadding = 16;

// TextToReal, the same value to the bit, for a text followed in memory by at
// least kRealPadding readable bytes, which it reads but never uses: a plain
// decimal then takes a few steps over whole words and no branch that depends
// on its digits.
double TextToRealPadded(std::string_view t);

// Halves away from zero.
int64_t RoundToInt(double x);

// Nearest multiple of 1e-10, halves away from zero.
double RoundFine(double x);
