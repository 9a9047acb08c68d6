// Setbacks as half-planes cut from the site, corner cuts as triangles at
// the corners that are left, both on the corners in millimetres.
#include "site/setback.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/decimal.h"
#include "common/myfunc.h"

namespace {

// Points this close (a micrometre) are one: the corners are whole
// millimetres, and a crossing worked in doubles lands within far less.
constexpr double kSameMm = 1e-3;

std::string Metres(int64_t mm) {
  return FormatUnits(mm, 3) + "m";
}

TPlanePoint Along(TPlanePoint p, TPlanePoint unit, double length) {
  return {p.X + unit.X * length, p.Y + unit.Y * length};
}

double Apart(TPlanePoint p, TPlanePoint q) {
  return std::hypot(p.X - q.X, p.Y - q.Y);
}

TPlanePoint InUnits(TPlanePoint p, double mmPerUnit) {
  return {p.X / mmPerUnit, p.Y / mmPerUnit};
}

// The outline counter-clockwise, each side's line as set back.
class Outline {
 public:
  Outline(const std::vector<int32_t>& ring, const std::vector<TPlanePoint>& corners)
      : ring_(ring), corners_(corners) {
    if (PolygonDoubleArea(corners_) < 0) {
      std::reverse(ring_.begin(), ring_.end());
      std::reverse(corners_.begin(), corners_.end());
    }
    for (size_t i = 0; i < ring_.size(); ++i) lines_.push_back({Corner(i), Corner(i + 1)});
  }

  size_t Size() const { return ring_.size(); }
  TPlanePoint Corner(size_t i) const { return corners_[i % corners_.size()]; }
  const std::vector<TPlanePoint>& Corners() const { return corners_; }
  std::optional<size_t> CornerOf(int32_t p) const {
    const auto it = std::find(ring_.begin(), ring_.end(), p);
    if (it == ring_.end()) return std::nullopt;
    return static_cast<size_t>(it - ring_.begin());
  }
  // The side from p to q or from q to p, by the index of its first corner.
  std::optional<size_t> SideOf(int32_t p, int32_t q) const {
    for (size_t i = 0; i < ring_.size(); ++i) {
      const int32_t a = ring_[i], b = ring_[(i + 1) % ring_.size()];
      if ((a == p && b == q) || (a == q && b == p)) return i;
    }
    return std::nullopt;
  }
  std::array<TPlanePoint, 2>& Line(size_t side) { return lines_[side % lines_.size()]; }

 private:
  std::vector<int32_t> ring_;
  std::vector<TPlanePoint> corners_;
  std::vector<std::array<TPlanePoint, 2>> lines_;
};

// The pieces of the polygon's boundary on the line through a and b.
std::vector<std::array<TPlanePoint, 2>> PiecesOn(const std::vector<TPlanePoint>& polygon,
                                                 TPlanePoint a, TPlanePoint b) {
  std::vector<std::array<TPlanePoint, 2>> pieces;
  for (size_t k = 0; k < polygon.size(); ++k) {
    const TPlanePoint p = polygon[k], q = polygon[(k + 1) % polygon.size()];
    if (std::abs(LeftDistance(p, a, b)) <= kSameMm && std::abs(LeftDistance(q, a, b)) <= kSameMm &&
        Apart(p, q) > kSameMm) {
      pieces.push_back({p, q});
    }
  }
  return pieces;
}

}  // namespace

TRoadParts RoadParts(const std::vector<int32_t>& ring, const std::vector<TPlanePoint>& cornersMm,
                     const std::vector<TPointValue>& setbacks, const std::vector<TPointValue>& cuts,
                     double mmPerUnit) {
  TRoadParts r;
  Outline outline(ring, cornersMm);
  std::vector<TPlanePoint> site = outline.Corners();
  std::vector<size_t> movedSides;
  for (const TPointValue& v : setbacks) {
    const std::string name = "道路後退 " + std::to_string(v.P) + "-" + std::to_string(v.Q);
    const std::optional<size_t> side = outline.SideOf(v.P, v.Q);
    if (!side || std::count(movedSides.begin(), movedSides.end(), *side) > 0) {
      r.Refused.push_back(name + (side ? " は二度目です" : " は外周の辺ではありません"));
      continue;
    }
    const TPlanePoint a = outline.Corner(*side), b = outline.Corner(*side + 1);
    double reach = 0.0;
    for (const TPlanePoint& c : outline.Corners()) reach = std::max(reach, LeftDistance(c, a, b));
    const auto depth = static_cast<double>(v.Mm);
    if (depth >= reach - kSameMm) {
      r.Refused.push_back(name + " の " + Metres(v.Mm) + " は敷地の奥行 " +
                          Metres(RoundToInt(reach)) + " 以上です");
      continue;
    }
    const TPlanePoint inward = UnitVector(a.Y - b.Y, b.X - a.X);
    const TPlanePoint movedA = Along(a, inward, depth), movedB = Along(b, inward, depth);
    std::vector<TPlanePoint> left = ClipLeftOf(site, movedA, movedB);
    if (PolygonDoubleArea(left) <= 0.0) {
      r.Refused.push_back(name + " では敷地が残りません");
      continue;
    }
    site = std::move(left);
    outline.Line(*side) = {movedA, movedB};
    movedSides.push_back(*side);
    r.Lines.push_back({v.P, v.Q, v.Mm, {}});
  }
  r.SetbackMm2 = RoundToInt((PolygonDoubleArea(outline.Corners()) - PolygonDoubleArea(site)) / 2.0);
  for (size_t i = 0; i < r.Lines.size(); ++i) {
    const auto [a, b] = outline.Line(movedSides[i]);
    for (const auto& [p, q] : PiecesOn(site, a, b)) {
      r.Lines[i].Pieces.push_back({InUnits(p, mmPerUnit), InUnits(q, mmPerUnit)});
    }
  }

  // What the cuts leave: each cut needs its legs' room on what is left.
  std::vector<TPlanePoint> rest = site;
  for (const TPointValue& v : cuts) {
    const std::string name = "隅切り 点" + std::to_string(v.P);
    const std::optional<size_t> at = outline.CornerOf(v.P);
    const bool again =
        std::any_of(r.Cuts.begin(), r.Cuts.end(), [&v](const TCornerCut& c) { return c.P == v.P; });
    if (!at || again) {
      r.Refused.push_back(name + (at ? " は二度目です" : " は外周の角ではありません"));
      continue;
    }
    const size_t n = outline.Size();
    const auto [inA, inB] = outline.Line(*at + n - 1);
    const auto [outA, outB] = outline.Line(*at);
    const TPlanePoint in = UnitVector(inB.X - inA.X, inB.Y - inA.Y);
    const TPlanePoint out = UnitVector(outB.X - outA.X, outB.Y - outA.Y);
    // Counter-clockwise, a corner that turns left is an outer one.
    const double turn = in.X * out.Y - in.Y * out.X;
    const std::optional<TPlanePoint> apex = LineCross(inA, in, outA, out);
    if (turn <= 1e-9 || !apex) {
      r.Refused.push_back(name + " は出隅ではありません");
      continue;
    }
    // The angle θ between the legs: cos θ = -in·out, sin θ = turn. Legs of
    // c / (2 sin(θ/2)) and the area c² sin θ / (4 (1 - cos θ)), a quarter of
    // c² at a right angle.
    const double cosine = -(in.X * out.X + in.Y * out.Y);
    const auto c = static_cast<double>(v.Mm);
    const double leg = c / (2.0 * std::sqrt((1.0 - cosine) / 2.0));
    const TPlanePoint a = Along(*apex, {-in.X, -in.Y}, leg), b = Along(*apex, out, leg);
    const auto corner = std::find_if(rest.begin(), rest.end(),
                                     [&](TPlanePoint p) { return Apart(p, *apex) <= kSameMm; });
    bool fits = corner != rest.end();
    if (fits) {
      const size_t k = static_cast<size_t>(corner - rest.begin());
      fits = leg <= Apart(rest[k], rest[(k + rest.size() - 1) % rest.size()]) + kSameMm &&
             leg <= Apart(rest[k], rest[(k + 1) % rest.size()]) + kSameMm;
    }
    if (!fits) {
      r.Refused.push_back(name + " の " + Metres(v.Mm) + " は角の辺に収まりません");
      continue;
    }
    rest = ClipLeftOf(rest, a, b);
    const int64_t area = RoundToInt(c * c * turn / (4.0 * (1.0 - cosine)));
    r.CutMm2 += area;
    r.Cuts.push_back(
        {v.P, v.Mm, InUnits(*apex, mmPerUnit), InUnits(a, mmPerUnit), InUnits(b, mmPerUnit), area});
  }
  return r;
}
