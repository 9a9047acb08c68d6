// The exchange file's number format, built from the shortest round-trip
// digits so that most values need no second conversion.
#include "common/realformat.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr int kPrecision = 15;
// Long enough for "-0.0000" and 15 digits, or a 15-digit mantissa with "E-324".
constexpr int kBufferSize = 32;

// The decimal digits of a positive finite value rounded to 15 significant
// digits, without trailing zeros, and the power of ten of the first digit.
struct Decimal {
  char digits[kPrecision + 2];
  int count = 0;
  int exponent = 0;
};

// Reads "d.ddde[+-]xx" as written by std::to_chars in scientific form.
Decimal ReadScientific(const char* first, const char* last) {
  Decimal d;
  const char* p = first;
  for (; p < last && *p != 'e'; ++p) {
    if (*p != '.') d.digits[d.count++] = *p;
  }
  std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, last, d.exponent);
  return d;
}

Decimal ToDecimal(double v) {
  char buf[kBufferSize];
  // For a normal number the shortest form that reads back as v is already
  // its 15-digit rounding when it has at most 15 digits: the doubles lie
  // closer together than 15-digit decimals. Only longer ones and subnormals
  // need rounding to 15.
  auto res = std::to_chars(buf, buf + kBufferSize, v, std::chars_format::scientific);
  Decimal d = ReadScientific(buf, res.ptr);
  if (d.count > kPrecision || v < DBL_MIN) {
    res = std::to_chars(buf, buf + kBufferSize, v, std::chars_format::scientific, kPrecision - 1);
    d = ReadScientific(buf, res.ptr);
  }
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  return d;
}

char* PutZeros(char* out, int n) {
  if (n <= 0) return out;
  std::memset(out, '0', n);
  return out + n;
}

char* PutDigits(char* out, const char* digits, int n) {
  if (n <= 0) return out;
  std::memcpy(out, digits, n);
  return out + n;
}

char* PutFixed(char* out, const Decimal& d) {
  if (d.exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = PutZeros(out, -d.exponent - 1);
    return PutDigits(out, d.digits, d.count);
  }
  const int whole = d.exponent + 1;
  if (d.count <= whole) return PutZeros(PutDigits(out, d.digits, d.count), whole - d.count);
  out = PutDigits(out, d.digits, whole);
  *out++ = '.';
  return PutDigits(out, d.digits + whole, d.count - whole);
}

char* PutExponent(char* out, const Decimal& d) {
  *out++ = d.digits[0];
  if (d.count > 1) {
    *out++ = '.';
    out = PutDigits(out, d.digits + 1, d.count - 1);
  }
  *out++ = 'E';
  return std::to_chars(out, out + 8, d.exponent).ptr;
}

// Writes v at out and returns the end. Zero, negative zero and values
// that are not finite come out as "0": the host could not use anything else.
char* PutReal(char* out, double v) {
  if (v == 0 || !std::isfinite(v)) {
    *out++ = '0';
    return out;
  }
  if (v < 0) *out++ = '-';
  const Decimal d = ToDecimal(std::fabs(v));
  const bool fixed = d.exponent >= -5 && d.exponent < kPrecision;
  return fixed ? PutFixed(out, d) : PutExponent(out, d);
}

}  // namespace

std::string FormatReal(double v) {
  char buf[kBufferSize];
  return std::string(buf, PutReal(buf, v));
}

void AppendReal(std::string& out, double v) {
  char buf[kBufferSize];
  out.append(buf, PutReal(buf, v));
}

void AppendInt(std::string& out, int64_t v) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
}
