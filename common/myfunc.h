// Tolerant number parsing, Shift-JIS-safe text helpers, rounding and the
// small plane-geometry kit every other unit rests on. Stateless.
//
// Text is a byte string in Shift-JIS. A lead byte and the byte after it form
// one double-byte character, and nothing here ever splits such a pair.
// Positions and counts are 1-based. Angles are radians unless the name says
// degrees; directions run counter-clockwise from +X with Y upwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// True for a byte that starts a double-byte character (0x80..0x9F, 0xE0..0xFD).
constexpr bool LeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

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

// The text without half-width and full-width spaces and control characters.
std::string StripBlanks(std::string_view t);

// Bytes start..start+n-1 without any double-byte character that straddles an
// end; taken receives the number of bytes copied.
std::string CopyBytes(std::string_view t, int start, int n, int& taken);

// The text cut to at most n bytes, never inside a double-byte character.
std::string LeadingBytes(std::string_view t, size_t n);

// Number of characters; a double-byte character counts one.
int CharCount(std::string_view t);

// Characters start..start+n-1, whole double-byte characters only.
std::string CopyChars(std::string_view t, int start, int n);

// Swaps the two values.
void ExchangeDoubles(double& a, double& b);

// Halves away from zero.
int64_t RoundToInt(double x);

// Nearest multiple of 1e-10, halves away from zero.
double RoundFine(double x);

// Euclidean distance between the two points.
double PointDistance(double x1, double y1, double x2, double y2);

// Direction of the vector in [0, 2 pi); 0 when both components are below 1e-10.
double DirectionRad(double x, double y);

// Direction of the vector in degrees, rounded to 1e-10 degree.
double DirectionDeg(double x, double y);

// The point (x, y) turned counter-clockwise by a about (cx, cy).
double RotateX(double x, double y, double cx, double cy, double a);
double RotateY(double x, double y, double cx, double cy, double a);

// Intersection of the lines through the two segments: 0 when parallel (or
// both vertical) and x, y untouched; 1 when inside both segments' boxes
// widened by 1e-8; 2 when outside them.
int SegmentCross(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                 double y4, double& x, double& y);

// The points at distance r1 from centre 1 and r2 from centre 2: 0 when none
// (outputs untouched), 1 when touching (A = B), 2 otherwise. A lies on the
// left of the direction centre 2 -> centre 1, B on its right.
int CircleCross(double x1, double y1, double r1, double x2, double y2, double r2, double& ax,
                double& ay, double& bx, double& by);

// Width of the text set with character width w and spacing g.
double TextSpan(std::string_view t, double w, double g);
