// An exact integer walk over the part of a line that lies on the buffer, with the
// dash pattern carried from line to line.
#include "raster/thinline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "preview/clipping.h"

namespace {

// Beyond this the exact step arithmetic below could overflow 64 bits, so a
// longer line is first cut to a square of this half size along its own
// line; the buffer lies far inside it.
constexpr double kExactLimit = 1 << 26;

bool BeyondExactLimit(int32_t v) {
  return v > kExactLimit || v < -kExactLimit;
}

// Cuts a line that reaches beyond kExactLimit; false when nothing is left.
bool CutToExactLimit(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  double a = x1;
  double b = y1;
  double c = x2;
  double d = y2;
  if (!ClipSegmentToBox(a, b, c, d, -kExactLimit, -kExactLimit, kExactLimit, kExactLimit)) {
    return false;
  }
  x1 = static_cast<int32_t>(std::lround(a));
  y1 = static_cast<int32_t>(std::lround(b));
  x2 = static_cast<int32_t>(std::lround(c));
  y2 = static_cast<int32_t>(std::lround(d));
  return true;
}

// The floor of a / b for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The ceiling of a / b for b > 0.
int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

// Narrows [first, last] to the steps i whose major coordinate
// start + sign * i stays in [0, size - 1].
void MajorRange(int64_t start, int sign, int64_t size, int64_t& first, int64_t& last) {
  if (sign > 0) {
    first = std::max(first, -start);
    last = std::min(last, size - 1 - start);
  } else {
    first = std::max(first, start - (size - 1));
    last = std::min(last, start);
  }
}

// The minor coordinate of step i is start + sign * q(i), with
// q(i) = floor((2 * i * minor + lead) / (2 * major)): the rounded position
// of the exact line, where lead (see Lead) settles which way a position
// exactly between two pixels goes. Narrows [first, last] to the steps whose
// minor coordinate stays in [0, size - 1].
void MinorRange(int64_t start, int sign, int64_t size, int64_t major, int64_t minor, int64_t lead,
                int64_t& first, int64_t& last) {
  int64_t qlo = sign > 0 ? -start : start - (size - 1);
  int64_t qhi = sign > 0 ? size - 1 - start : start;
  if (minor == 0) {
    if (qlo > 0 || qhi < 0) last = first - 1;
    return;
  }
  // q(i) >= qlo  <=>  i >= (2 * major * qlo - lead) / (2 * minor)
  first = std::max(first, CeilDiv(2 * major * qlo - lead, 2 * minor));
  // q(i) <= qhi  <=>  i < (2 * major * (qhi + 1) - lead) / (2 * minor)
  last = std::min(last, CeilDiv(2 * major * (qhi + 1) - lead, 2 * minor) - 1);
}

// GDI's tie rule: a line exactly between two pixels takes the one further
// from its start in the octants that run left and down steeply, left and
// up, and right and up shallowly (the 3rd, 5th, 6th and 8th clockwise from
// the right with y downwards), and the nearer one in the others.
int64_t Lead(int64_t dx, int64_t dy, int64_t major) {
  int octant;
  if (dy > 0) {
    octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  } else {
    octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  }
  const bool further = octant == 3 || octant == 5 || octant == 6 || octant == 8;
  return major - 1 + (further ? 1 : 0);
}

bool OnBuffer(const PixelBuffer& buffer, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < buffer.Width && y < buffer.Height;
}

// How the walk moves: its error term, what a step adds to it and where it
// wraps, and the pointer's moves along the major and the minor axis.
struct Step {
  int64_t Error;
  int64_t Add;
  int64_t Wrap;
  int64_t Major;
  int64_t Minor;
};

// Plots count pixels from p on, one a major step.
template <class Plot>
void Walk(uint32_t* p, int64_t count, const Step& step, Plot plot) {
  int64_t e = step.Error;
  for (int64_t i = 0; i < count; ++i) {
    plot(p);
    p += step.Major;
    e += step.Add;
    if (e >= step.Wrap) {
      e -= step.Wrap;
      p += step.Minor;
    }
  }
}

// The pixels of steps 0 .. major - 1 that lie on the buffer, each written
// once; startPhase is the dash position of step 0.
void WalkLine(const PixelBuffer& buffer, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              uint32_t argb, bool xorMix, const LineStyleMask& style, int64_t startPhase) {
  int64_t dx = static_cast<int64_t>(x2) - x1;
  int64_t dy = static_cast<int64_t>(y2) - y1;
  bool xMajor = std::llabs(dx) >= std::llabs(dy);
  int64_t major = std::llabs(xMajor ? dx : dy);
  int64_t minor = std::llabs(xMajor ? dy : dx);
  if (major == 0) return;
  int majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
  int minorSign = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  int64_t majorStart = xMajor ? x1 : y1;
  int64_t minorStart = xMajor ? y1 : x1;

  const int64_t lead = Lead(dx, dy, major);
  int64_t first = 0;
  int64_t last = major - 1;
  // Most lines lie wholly on the buffer, and then so does every step.
  if (!OnBuffer(buffer, x1, y1) || !OnBuffer(buffer, x2, y2)) {
    MajorRange(majorStart, majorSign, xMajor ? buffer.Width : buffer.Height, first, last);
    MinorRange(minorStart, minorSign, xMajor ? buffer.Height : buffer.Width, major, minor, lead,
               first, last);
    if (first > last) return;
  }

  // Walk with the error term of q: e = (2 * i * minor + lead) mod (2 * major).
  int64_t twoMajor = 2 * major;
  int64_t numerator = 2 * first * minor + lead;
  int64_t mj = majorStart + majorSign * first;
  int64_t mn = minorStart + minorSign * (numerator / twoMajor);
  int64_t e = numerator % twoMajor;
  int64_t x = xMajor ? mj : mn;
  int64_t y = xMajor ? mn : mj;
  int64_t stepMajor = xMajor ? majorSign : majorSign * buffer.Stride;
  int64_t stepMinor = xMajor ? minorSign * buffer.Stride : minorSign;
  uint32_t* p = buffer.Bits + y * buffer.Stride + x;
  const Step step{e, 2 * minor, twoMajor, stepMajor, stepMinor};
  const size_t period = style.On.size();
  if (period == 0) {
    if (xorMix) {
      const uint32_t rgb = argb & 0x00FFFFFFu;
      Walk(p, last - first + 1, step, [rgb](uint32_t* q) { *q ^= rgb; });
    } else {
      Walk(p, last - first + 1, step, [argb](uint32_t* q) { *q = argb; });
    }
    return;
  }
  // A dotted pen's pattern, one byte a pixel, walked along with the line.
  // The pixels left out are not read: a read costs a wait on memory each.
  // Nor is the pattern branched on, which the processor guesses wrong at
  // every turn from on to off: every step stores, a drawn pixel to the
  // buffer and one left out to a word of its own.
  const uint8_t* on = style.On.data();
  size_t dash = static_cast<size_t>((startPhase + first) % static_cast<int64_t>(period));
  const auto drawn = [&] {
    const bool now = on[dash] != 0;
    if (++dash == period) dash = 0;
    return now;
  };
  if (xorMix) {
    const uint32_t rgb = argb & 0x00FFFFFFu;
    Walk(p, last - first + 1, step, [&](uint32_t* q) {
      if (drawn()) *q ^= rgb;
    });
  } else {
    uint32_t leftOut = 0;
    Walk(p, last - first + 1, step, [&](uint32_t* q) { *(drawn() ? q : &leftOut) = argb; });
  }
}

}  // namespace

LineStyleMask MakeLineStyleMask(std::initializer_list<int> runs) {
  LineStyleMask mask;
  bool on = true;
  for (int run : runs) {
    mask.On.insert(mask.On.end(), static_cast<size_t>(run), on ? 1 : 0);
    on = !on;
  }
  return mask;
}

void DrawThinLine(const PixelBuffer& buffer, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  uint32_t argb, bool xorMix, const LineStyleMask& style, int64_t& phase) {
  int64_t startPhase = phase;
  phase += std::max(std::llabs(static_cast<int64_t>(x2) - x1),
                    std::llabs(static_cast<int64_t>(y2) - y1));
  if (BeyondExactLimit(x1) || BeyondExactLimit(y1) || BeyondExactLimit(x2) ||
      BeyondExactLimit(y2)) {
    // The cut line's end is no longer the true end, so its last pixel (far
    // off the buffer) matters not.
    if (!CutToExactLimit(x1, y1, x2, y2)) return;
  }
  WalkLine(buffer, x1, y1, x2, y2, argb, xorMix, style, startPhase);
}
