// The number parsers, the Shift-JIS text helpers and the plane geometry.
#include "common/myfunc.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <system_error>
#include <utility>

#include "common/simd.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

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

// The double-byte character starting at byte i is whole only when its trail
// byte is there; a lead byte in the last position stands alone.
size_t CharLength(std::string_view t, size_t i) {
  return LeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

// Byte offset of character number n (1-based), or the text's size when the
// text has fewer characters.
size_t CharOffset(std::string_view t, int64_t n) {
  size_t i = 0;
  for (int64_t c = 1; c < n && i < t.size(); ++c) i += CharLength(t, i);
  return i;
}

double Snap8(double v) {
  return std::trunc(v / 1e-8 + 0.5) * 1e-8;
}

bool InBox(double x, double y, double x1, double y1, double x2, double y2) {
  constexpr double kSlack = 1e-8;
  return std::min(x1, x2) - kSlack <= x && x <= std::max(x1, x2) + kSlack &&
         std::min(y1, y2) - kSlack <= y && y <= std::max(y1, y2) + kSlack;
}

// (u, v) turned by a about the origin and moved to (cx, cy). The turned
// vector is formed whole before it is added: adding the centre first rounds
// differently in the last bit, and a later snap to 1e-8 can carry that bit
// down a chain of computed points.
void TurnFrom(double cx, double cy, double u, double v, double a, double& x, double& y) {
  const double tx = u * std::cos(a) - v * std::sin(a);
  const double ty = u * std::sin(a) + v * std::cos(a);
  x = cx + tx;
  y = cy + ty;
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

std::string StripBlanks(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    const size_t len = CharLength(t, i);
    const std::string_view c = t.substr(i, len);
    const bool blank = len == 2 ? c == "\x81\x40" : static_cast<unsigned char>(c[0]) <= 0x20;
    if (!blank) out.append(c);
    i += len;
  }
  return out;
}

std::string CopyBytes(std::string_view t, int start, int n, int& taken) {
  taken = 0;
  std::string out;
  if (t.empty() || start < 1 || static_cast<size_t>(start) > t.size() || n <= 0) return out;
  const int64_t last = int64_t{start} + n - 1;
  for (size_t i = 0; i < t.size() && static_cast<int64_t>(i) < last;) {
    const size_t len = CharLength(t, i);
    const int64_t pos = static_cast<int64_t>(i) + 1;
    const bool lead = LeadByte(static_cast<unsigned char>(t[i]));
    // A lone lead byte at the end still needs room for a whole pair.
    const int64_t endPos = lead ? pos + 1 : pos;
    if (pos >= start && endPos <= last) out.append(t.substr(i, len));
    i += len;
  }
  taken = static_cast<int>(out.size());
  return out;
}

std::string LeadingBytes(std::string_view t, size_t n) {
  if (t.size() <= n) return std::string(t);
  int taken = 0;
  return CopyBytes(t, 1, static_cast<int>(n), taken);
}

int CharCount(std::string_view t) {
  int count = 0;
  for (size_t i = 0; i < t.size(); i += CharLength(t, i)) ++count;
  return count;
}

std::string CopyChars(std::string_view t, int start, int n) {
  const int count = CharCount(t);
  if (count < start || n <= 0) return {};
  const int64_t last = std::min<int64_t>(int64_t{start} + n - 1, count);
  const int64_t first = std::max(start, 1);
  if (last < first) return {};
  const size_t from = CharOffset(t, first);
  const size_t to = from + CharOffset(t.substr(from), last - first + 2);
  return std::string(t.substr(from, to - from));
}

void ExchangeDoubles(double& a, double& b) {
  std::swap(a, b);
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

double PointDistance(double x1, double y1, double x2, double y2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

double DirectionRad(double x, double y) {
  if (std::fabs(x) < 1e-10 && std::fabs(y) < 1e-10) return 0.0;
  // Rightwards, as most texts and dimensions run: atan2's answer, without
  // its call.
  if (y == 0 && x > 0) return 0.0;
  double a = std::atan2(y, x);
  if (a < 0) {
    a += kTwoPi;
    // A tiny negative angle would round up to 2 pi, which is direction 0.
    if (a >= kTwoPi) a = 0.0;
  }
  return a;
}

double DirectionDeg(double x, double y) {
  return RoundFine(DirectionRad(x, y) * 180 / std::numbers::pi);
}

double RotateX(double x, double y, double cx, double cy, double a) {
  return cx + std::cos(a) * (x - cx) - std::sin(a) * (y - cy);
}

double RotateY(double x, double y, double cx, double cy, double a) {
  return cy + std::sin(a) * (x - cx) + std::cos(a) * (y - cy);
}

int SegmentCross(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                 double y4, double& x, double& y) {
  const bool verticalA = Snap8(x1 - x2) == 0;
  const bool verticalB = Snap8(x3 - x4) == 0;
  double cx = 0;
  double cy = 0;
  if (verticalA && verticalB) return 0;
  if (verticalA) {
    const double kB = (y4 - y3) / (x4 - x3);
    cx = x1;
    cy = (x1 - x3) * kB + y3;
  } else if (verticalB) {
    const double kA = (y2 - y1) / (x2 - x1);
    cx = x3;
    cy = (x3 - x1) * kA + y1;
  } else {
    const double kA = (y2 - y1) / (x2 - x1);
    const double kB = (y4 - y3) / (x4 - x3);
    if (Snap8(kA - kB) == 0) return 0;
    const double bA = y1 - kA * x1;
    const double bB = y3 - kB * x3;
    cx = (bB - bA) / (kA - kB);
    cy = kA * cx + bA;
  }
  x = cx;
  y = cy;
  return InBox(cx, cy, x1, y1, x2, y2) && InBox(cx, cy, x3, y3, x4, y4) ? 1 : 2;
}

int CircleCross(double x1, double y1, double r1, double x2, double y2, double r2, double& ax,
                double& ay, double& bx, double& by) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  if (std::fabs(dx) < 1e-8 && std::fabs(dy) < 1e-8) return 0;
  const double alpha = DirectionRad(dx, dy);
  const double du = dx * std::cos(alpha) + dy * std::sin(alpha);
  const double dv = -dx * std::sin(alpha) + dy * std::cos(alpha);
  const double l = std::fabs(du);
  const double s1 = Snap8(r1 + r2 - l);
  const double s2 = Snap8(std::fabs(r1 - r2) - l);
  if (s1 < 0 || s2 > 0) return 0;
  const int result = s1 == 0 || s2 == 0 ? 1 : 2;
  const double p = (r1 + r2 + l) / 2;
  const double q = std::max(Snap8((p - r1) * p * (p - r2) * (p - l)), 0.0);
  const double h = 2 * std::sqrt(q) / l;
  const double a = std::sqrt(std::fabs(Snap8(r1 * r1 - h * h)));
  const auto miss = [&](double f) { return std::fabs(f * f + h * h - r2 * r2); };
  const double f = miss(du + a) < miss(du - a) ? du + a : du - a;
  TurnFrom(x2, y2, f, dv + h, alpha, ax, ay);
  TurnFrom(x2, y2, f, dv - h, alpha, bx, by);
  return result;
}

double TextSpan(std::string_view t, double w, double g) {
  double span = 0;
  for (size_t i = 0; i < t.size();) {
    const auto c = static_cast<unsigned char>(t[i]);
    // A lone lead byte at the end is still set as a full-width character.
    const size_t len = LeadByte(c) ? 2 : 1;
    const bool more = i + len < t.size();
    if (len == 2) {
      span += w + (more ? g : 0);
    } else {
      span += (c >= 0x20 ? w / 2 : 0) + (more ? g / 2 : 0);
    }
    i += len;
  }
  return span;
}
