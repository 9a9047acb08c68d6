// The number parsers: the tolerant reading of numbers typed by the user or
// read from the exchange file, with a fast path for the plain decimals most
// of the file holds; and the rounding the screen and the directions use.
#include "common/numbers.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "common/simd.h"

namespace {

// The half-width spaces that may precede a number; nothing else is skipped.
std::string_view SkipLeadingSpaces(std::string_view t) {
  const size_t first = t.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : t.substr(first);
}

// Takes an optional "+" or "-" off the front and tells whether it was "-".
bool TakeSign(std::string_view& t) {
  if (t.empty() || (t.front() != '+' && t.front() != '-')) return false;
  const bool negative = t.front() == '-';
  t.remove_prefix(1);
  return negative;
}

// Takes a "$", "0x" or "0X" hexadecimal prefix off the front.
bool TakeHexPrefix(std::string_view& t) {
  if (t.starts_with('$')) {
    t.remove_prefix(1);
    return true;
  }
  if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    t.remove_prefix(2);
    return true;
  }
  return false;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of decimal digits at position i.
size_t DigitRun(std::string_view t, size_t i) {
  size_t j = i;
  while (j < t.size() && IsDigit(t[j])) ++j;
  return j - i;
}

// True when the whole text is digits, an optional "." and digits (at least
// one digit in all), and an optional exponent with its own digits.
bool IsUnsignedReal(std::string_view t) {
  size_t i = DigitRun(t, 0);
  size_t digits = i;
  if (i < t.size() && t[i] == '.') {
    const size_t fraction = DigitRun(t, i + 1);
    digits += fraction;
    i += 1 + fraction;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const size_t exponent = DigitRun(t, i);
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == t.size();
}

// The powers of ten a double holds exactly.
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Most numbers of the exchange file have few digits and a small exponent;
// then the digits and the power of ten are exact doubles and one
// multiplication or division rounds correctly. False for any other text,
// which takes the general conversion (and its check of the form).
bool FastExactReal(std::string_view t, double& value) {
  constexpr int kMaxPower = 22;
  constexpr int kMaxDigits = 19;  // any 19 decimal digits fit 64 bits
  if (FLT_EVAL_METHOD != 0) return false;
  const size_t n = t.size();
  uint64_t digits = 0;
  size_t i = 0;
  for (; i < n && IsDigit(t[i]); ++i) digits = digits * 10 + static_cast<uint64_t>(t[i] - '0');
  size_t count = i;
  int exponent = 0;
  if (i < n && t[i] == '.') {
    const size_t first = ++i;
    for (; i < n && IsDigit(t[i]); ++i) digits = digits * 10 + static_cast<uint64_t>(t[i] - '0');
    count += i - first;
    // Checked before the count becomes an int: a fraction of billions of
    // digits must not wrap into a small exponent.
    if (count > kMaxDigits) return false;
    exponent = -static_cast<int>(i - first);
  }
  if (count == 0 || count > kMaxDigits) return false;
  if (i < n) {
    if (t[i] != 'e' && t[i] != 'E') return false;
    ++i;
    const bool negative = i < n && t[i] == '-';
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    const size_t first = i;
    int e = 0;
    for (; i < n && i - first < 3 && IsDigit(t[i]); ++i) e = e * 10 + (t[i] - '0');
    if (i == first || i != n) return false;
    exponent += negative ? -e : e;
  }
  if (digits > (uint64_t{1} << 53) || exponent < -kMaxPower || exponent > kMaxPower) return false;
  const double d = static_cast<double>(digits);
  value = exponent < 0 ? d / kPowers[-exponent] : d * kPowers[exponent];
  return true;
}

// A plain decimal: an optional sign, digits and at most one ".", with at
// most 16 digits and "." in all, read from whole words. Bytes of the words
// past the text's end are masked off or shifted out.
constexpr size_t kPlainDecimalBytes = 16;
constexpr uint64_t kEachByte = 0x0101010101010101;

constexpr uint64_t kIntPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

uint64_t LoadWord(const char* p) {
  uint64_t w = 0;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// The value of the first k (0..8) bytes of the word, which are digits, the
// first byte the lowest. Moved to the top of the word the digits have zero
// bytes below them, which read as leading zeros; then pairs, fours and the
// eight combine in three steps.
uint64_t DigitsValue(uint64_t w, int k) {
  // A digit byte never borrows from the one above it: the k digits stay whole.
  w -= 0x30 * kEachByte;
  // Two steps: one shift by all 64 bits (k = 0) would be undefined.
  w = (w << (4 * (8 - k))) << (4 * (8 - k));
  w = w * 10 + (w >> 8);
  constexpr uint64_t kPairs = 0x000000FF000000FF;
  return (((w & kPairs) * (100 + (uint64_t{1000000} << 32))) +
          (((w >> 16) & kPairs) * (1 + (uint64_t{10000} << 32)))) >>
         32;
}

// The mask of the word's k (0..8) lowest bytes.
uint64_t LowBytes(int k) {
  return k >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * k)) - 1;
}

// The bits of the bytes among the sixteen at p that are no digit.
unsigned NonDigits(const char* p) {
#if HORUNE_SSE2
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Signed: bytes from 0x80 up are below "0".
  const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('0' - 1)),
                                      _mm_cmplt_epi8(x, _mm_set1_epi8('9' + 1)));
  return ~static_cast<unsigned>(_mm_movemask_epi8(digit)) & 0xFFFF;
#else
  unsigned others = 0;
  for (unsigned i = 0; i < kPlainDecimalBytes; ++i) {
    others |= static_cast<unsigned>(p[i] < '0' || p[i] > '9') << i;
  }
  return others;
#endif
}

// The value of a plain decimal at t, with no branch on its digits; false
// for any other text, and for one whose digits are no exact double.
bool PaddedExactReal(std::string_view t, double& value) {
  if (FLT_EVAL_METHOD != 0 || std::endian::native != std::endian::little || t.empty()) {
    return false;
  }
  const bool negative = t[0] == '-';
  const size_t signBytes = (negative || t[0] == '+') ? 1 : 0;
  const char* body = t.data() + signBytes;
  const size_t n = t.size() - signBytes;
  if (n == 0 || n > kPlainDecimalBytes) return false;
  const unsigned end = 1u << n;
  const unsigned others = NonDigits(body) & (end - 1);
  // The first byte that is no digit: the ".", or the end.
  const int point = std::countr_zero(others | end);
  const bool hasPoint = point < static_cast<int>(n);
  const bool plain = ((others & ~(1u << point)) == 0) & (!hasPoint | (body[point] == '.'));
  const int count = static_cast<int>(n) - static_cast<int>(hasPoint);
  if (!plain || count == 0) return false;
  const int fraction = count - point;
  // The sixteen bytes as two words, and the same moved down by one byte:
  // the bytes below the point from the first, those above it from the
  // second close the gap, so the digits lie together in the low bytes.
  const uint64_t low = LoadWord(body);
  const uint64_t high = LoadWord(body + 8);
  const uint64_t keepLow = LowBytes(point);
  const uint64_t keepHigh = LowBytes(std::max(point - 8, 0));
  const uint64_t digitsLow = (low & keepLow) | (((low >> 8) | (high << 56)) & ~keepLow);
  const uint64_t digitsHigh = (high & keepHigh) | ((high >> 8) & ~keepHigh);
  const int countHigh = std::max(count - 8, 0);
  const uint64_t digits = DigitsValue(digitsLow, count - countHigh) * kIntPowers[countHigh] +
                          DigitsValue(digitsHigh, countHigh);
  if (digits > (uint64_t{1} << 53)) return false;
  const double magnitude = static_cast<double>(digits) / kPowers[fraction];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

int32_t TextToInt(std::string_view t) {
  t = SkipLeadingSpaces(t);
  const bool negative = TakeSign(t);
  const int base = TakeHexPrefix(t) ? 16 : 10;
  uint64_t magnitude = 0;
  const char* end = t.data() + t.size();
  const auto [ptr, ec] = std::from_chars(t.data(), end, magnitude, base);
  if (ec != std::errc() || ptr != end) return 0;
  constexpr uint64_t kMax = std::numeric_limits<int32_t>::max();
  if (magnitude > kMax + (negative ? 1 : 0)) return 0;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                       : static_cast<int64_t>(magnitude));
}

double TextToReal(std::string_view t) {
  t = SkipLeadingSpaces(t);
  const bool negative = TakeSign(t);
  double value = 0.0;
  if (!FastExactReal(t, value)) {
    if (!IsUnsignedReal(t)) return 0.0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), end, value, std::chars_format::general);
    // Out of range reads as malformed: an infinity would poison every sum.
    if (ec != std::errc() || ptr != end) return 0.0;
  }
  return negative ? -value : value;
}

double TextToRealPadded(std::string_view t) {
  double value = 0.0;
  return PaddedExactReal(t, value) ? value : TextToReal(t);
}

int64_t RoundToInt(double x) {
  const double r = std::trunc(x >= 0 ? x + 0.5 : x - 0.5);
  // Saturate rather than overflow: the result ends up as a screen coordinate.
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (std::isnan(r)) return 0;
  if (r >= kLimit) return std::numeric_limits<int64_t>::max();
  if (r < -kLimit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(r);
}

double RoundFine(double x) {
  const double m = std::trunc(std::fabs(x) / 1e-10 + 0.5) * 1e-10;
  return x >= 0 ? m : -m;
}
