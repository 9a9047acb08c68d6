// An independent model of what the distance table gives, for the window's
// fuzzer: the corner points of the rows a computation counts, in order,
// worked out in long double with plain trigonometry (two circles meet on
// their common chord, whose foot lies on the line of centres), each with a
// bound on how far the window's double computation, which rounds some of
// its intermediate values to 1e-8, may lie from it. The model reads a text
// only when its reading is plain, and a row it cannot settle (circles that
// nearly touch, a corner too close to the line of centres) is unknown and
// skipped, and so is every row that builds on its point.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/tablefile.h"

namespace tablemodel {

using Real = long double;

// ------------------------------------------------------------- reading texts

// A text made only of these bytes may be a number in a form the model does
// not settle ("1.", "+", ".5"); a text with any other byte is malformed.
inline bool NumberBytesOnly(std::string_view t, std::string_view bytes) {
  return t.find_first_not_of(bytes) == std::string_view::npos;
}

// The digits after leading spaces and a sign, and whether the sign is minus.
inline std::string_view AfterSign(std::string_view t, bool& minus) {
  t.remove_prefix(std::min(t.find_first_not_of(' '), t.size()));
  minus = t.starts_with('-');
  if (t.starts_with('-') || t.starts_with('+')) t.remove_prefix(1);
  return t;
}

// A point number or a side flag: empty is 0, spaces, a sign and decimal
// digits give their value, a value beyond 32 bits or any other text gives 0;
// nothing when it is hexadecimal or too long to tell.
inline std::optional<int64_t> ReadInt(std::string_view t) {
  if (t.find('$') != std::string_view::npos || t.find("0x") != std::string_view::npos ||
      t.find("0X") != std::string_view::npos) {
    return std::nullopt;
  }
  bool minus = false;
  const std::string_view digits = AfterSign(t, minus);
  if (digits.empty() || !NumberBytesOnly(digits, "0123456789")) return 0;
  if (digits.size() > 18) return std::nullopt;
  const int64_t v = (minus ? -1 : 1) * std::strtoll(std::string(digits).c_str(), nullptr, 10);
  return v >= INT32_MIN && v <= INT32_MAX ? v : 0;
}

// A distance or an angle: empty is 0, spaces, a sign, digits, a fraction
// and an exponent give their value, a text with other bytes gives 0;
// nothing for other arrangements of those bytes and values out of range.
inline std::optional<double> ReadReal(std::string_view t) {
  if (t.empty()) return 0.0;
  bool minus = false;
  std::string_view s = AfterSign(t, minus);
  const auto digits = [&s] {
    const size_t n = std::min(s.find_first_not_of("0123456789"), s.size());
    s.remove_prefix(n);
    return n > 0;
  };
  bool plain = digits();
  if (plain && s.starts_with('.')) {
    s.remove_prefix(1);
    plain = digits();
  }
  if (plain && (s.starts_with('e') || s.starts_with('E'))) {
    s.remove_prefix(1);
    if (s.starts_with('-') || s.starts_with('+')) s.remove_prefix(1);
    plain = digits();
  }
  if (!plain || !s.empty()) {
    if (NumberBytesOnly(t, " +-.0123456789eE")) return std::nullopt;
    return 0.0;
  }
  errno = 0;
  const double v = std::strtod(std::string(t).c_str(), nullptr);
  if (errno == ERANGE || !std::isfinite(v)) return std::nullopt;
  return v;
}

// A row is blank when its cells, joined, hold only spaces (half-width and
// the full-width 0x81 0x40) and control characters; a lead byte (0x80..0x9F,
// 0xE0..0xFD) takes the byte after it, across the cells' seams too.
inline bool BlankRow(const TTableRow& row) {
  std::string joined;
  for (const std::string& cell : row) joined += cell;
  for (size_t i = 0; i < joined.size(); ++i) {
    const auto b = static_cast<unsigned char>(joined[i]);
    if ((b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD)) {
      if (i + 1 == joined.size() || b != 0x81 || joined[i + 1] != 0x40) return false;
      ++i;
    } else if (b > 0x20) {
      return false;
    }
  }
  return true;
}

// ------------------------------------------------------------------ points

enum class Fate : uint8_t {
  Counted,  // the row's point is sent, at X, Y within Tolerance
  Fails,    // its circles do not meet: no point, and it stays at the origin
  Unknown,  // either may happen, anywhere
};

struct Point {
  Fate Kind = Fate::Counted;
  Real X = 0;
  Real Y = 0;
  Real Tolerance = 0;
};

// The double rounding of a computation whose values reach this size.
inline Real Ulp(Real scale) {
  return 8 * DBL_EPSILON * scale;
}

// A tolerance that leaves the check nothing to hold is no better than none.
inline bool Settled(const Point& p, Real scale) {
  return p.Tolerance <= 1e-3L * scale;
}

// Where the circles about c1 (radius r1) and c2 (radius r2) meet on the left
// of c1 -> c2, or on its right.
inline Point Meet(const Point& c1, Real r1, const Point& c2, Real r2, bool left) {
  const Point unknown{Fate::Unknown};
  const Real dx = c2.X - c1.X;
  const Real dy = c2.Y - c1.Y;
  const Real l = std::hypot(dx, dy);
  const Real scale = std::max(
      {Real{1}, std::fabs(c1.X), std::fabs(c1.Y), std::fabs(c2.X), std::fabs(c2.Y), r1, r2});
  // The window multiplies four lengths: beyond this its doubles overflow.
  if (scale > 1e70L) return unknown;
  // How far the window's centres, and its distance between them, may lie
  // from these.
  const Real moved = c1.Tolerance + c2.Tolerance + Ulp(scale);
  // Centres less than 1e-8 apart on both axes are one: no point.
  const Real apart = std::max(std::fabs(dx), std::fabs(dy));
  if (apart < 1e-8L - moved) return {Fate::Fails};
  if (apart <= 1e-8L + moved) return unknown;
  // The window rounds r1 + r2 - l and |r1 - r2| - l to 1e-8: too far apart
  // from -1.5e-8 on, one inside the other from 0.5e-8 on, and touching
  // between, where the point is ill-defined.
  const Real outside = r1 + r2 - l;
  const Real inside = std::fabs(r1 - r2) - l;
  if (outside < -1.5e-8L - moved || inside > 0.5e-8L + moved) return {Fate::Fails};
  if (outside <= 0.5e-8L + moved || inside >= -1.5e-8L - moved) return unknown;

  // The chord's foot lies `along` from c1 towards c2, the point `height` off
  // the line of centres: twice the triangle's area over l, the area by
  // Heron's formula in the form that keeps a thin triangle's digits (sides
  // sorted a >= b >= c, each bracket as written).
  const Real along = (l + (r1 - r2) * (r1 + r2) / l) / 2;
  Real a = r1;
  Real b = r2;
  Real c = l;
  if (a < b) std::swap(a, b);
  if (b < c) std::swap(b, c);
  if (a < b) std::swap(a, b);
  const Real area4 =
      std::sqrt(std::max(Real{0}, (a + (b + c)) * (c - (a - b)) * (c + (a - b)) * (a + (b - c))));
  const Real height = area4 / (2 * l);
  const Real ux = dx / l;
  const Real uy = dy / l;
  const Real side = left ? 1 : -1;
  Point p{Fate::Counted, c1.X + along * ux - side * height * uy,
          c1.Y + along * uy + side * height * ux};

  // Centres that lie off move the point by that over the sine of the angle
  // at which the circles cross.
  const Real sine = l * height / (r1 * r2);
  Real tolerance = (moved + Ulp(scale)) / sine;
  // The window takes the height from the squared area (l * height / 2)^2 by
  // Heron's product of four factors, each off by a few units of its half
  // perimeter, rounded to 1e-8...
  const Real half = (r1 + r2 + l) / 2;
  const Real factors[4] = {half - r1, half, half - r2, half - l};
  const Real q = factors[0] * factors[1] * factors[2] * factors[3];
  Real dq = 0.5e-8L + 4 * DBL_EPSILON * q;
  for (const Real f : factors) dq += q * 4 * DBL_EPSILON * half / f;
  const Real dHeight = 2 * dq / (l * (std::sqrt(q) + std::sqrt(dq)));
  // ...the foot's distance from c1 from r1^2 - height^2, rounded to 1e-8
  // again...
  const Real foot = std::fabs(along);
  const Real dSquare = 0.5e-8L + 2 * height * dHeight + 4 * DBL_EPSILON * r1 * r1;
  const Real dFoot = 2 * dSquare / (foot + std::sqrt(dSquare));
  // ...and of the feet on either side of c1 the one that lies r2 from c2:
  // the two differ by 4 l foot in that test, and by 2 foot in place.
  const Real test = 8 * DBL_EPSILON * scale * scale + 4 * scale * (dFoot + dHeight);
  const Real wrongFoot = 4 * l * foot > test ? 0 : 2 * foot;
  // Twice what the terms add up to: the roundings' own constants are
  // counted loosely.
  p.Tolerance = 2 * (tolerance + dHeight + dFoot + wrongFoot + 4 * Ulp(scale));
  // The side is told by directions rounded to 1e-10 degree: a point too near
  // the line of centres may end on either side.
  const Real angle = std::atan2(height, along);
  const Real slack = 1e-9L + p.Tolerance / r1;
  if (angle < slack || angle > std::numbers::pi_v<Real> - slack) return unknown;
  if (!Settled(p, scale)) return unknown;
  return p;
}

// What a computation of the table sends: points by number from point 1, and
// whether the model saw where the rows end. Incomplete: past Points any
// point may follow.
struct Outline {
  std::vector<Point> Points;
  bool Complete = true;
};

// Point 2's distance and angle as typed in Edit1 and Edit2, and the rows.
inline Outline ModelOutline(std::string_view edit1, std::string_view edit2,
                            const std::vector<TTableRow>& rows) {
  Outline out;
  out.Points.push_back({});  // point 1, the origin
  const std::optional<double> r2 = ReadReal(edit1);
  if (!r2) {
    out.Complete = false;
    return out;
  }
  if (*r2 < 1e-8) return out;
  const std::optional<double> a2 = ReadReal(edit2);
  Point p2{Fate::Unknown};
  if (a2) {
    const Real t = Real{*a2} / 180 * std::numbers::pi_v<Real>;
    // The window's angle in radians is off by a few units of its size.
    p2 = {Fate::Counted, *r2 * std::cos(t), *r2 * std::sin(t),
          *r2 * DBL_EPSILON * (8 + 8 * std::fabs(t))};
    if (!Settled(p2, std::max<Real>(1, *r2))) p2 = {Fate::Unknown};
  }
  out.Points.push_back(p2);

  // A point no row has fixed lies at the origin.
  const auto at = [&out](int64_t n) {
    return static_cast<size_t>(n) <= out.Points.size() &&
                   out.Points[static_cast<size_t>(n) - 1].Kind != Fate::Fails
               ? out.Points[static_cast<size_t>(n) - 1]
               : Point{};
  };
  for (size_t i = 0; i < rows.size() && i < static_cast<size_t>(kTableRows); ++i) {
    const TTableRow& row = rows[i];
    if (BlankRow(row)) return out;
    const std::optional<int64_t> p1 = ReadInt(row[0]);
    const std::optional<double> d1 = ReadReal(row[1]);
    const std::optional<int64_t> q2 = ReadInt(row[2]);
    const std::optional<double> d2 = ReadReal(row[3]);
    if (!p1 || !d1 || !q2 || !d2) {
      out.Complete = false;
      return out;
    }
    // A partner outside the points or a distance below 1e-8 ends the table.
    const auto point = [](int64_t n) { return n >= 1 && n <= kMaxPointNumber; };
    if (!point(*p1) || !point(*q2) || *d1 < 1e-8 || *d2 < 1e-8) return out;
    const Point c1 = at(*p1);
    const Point c2 = at(*q2);
    // The window's "エラー" over a flag reads as 0, as any malformed text.
    const std::optional<int64_t> side = ReadInt(row[4]);
    Point p{Fate::Unknown};
    if (c1.Kind != Fate::Unknown && c2.Kind != Fate::Unknown) {
      p = Meet(c1, *d1, c2, *d2, side.value_or(0) == 0);
      if (p.Kind == Fate::Counted && !side) p = {Fate::Unknown};
    }
    out.Points.push_back(p);
  }
  return out;
}

}  // namespace tablemodel
