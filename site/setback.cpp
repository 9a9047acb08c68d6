// Setbacks as side lines moved inward, the corners of what is left found
// where the lines meet; corner cuts as triangles at those corners.
#include "site/setback.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/decimal.h"
#include "common/numbers.h"

namespace {

// Points this close (a micrometre) are one: the corners are whole
// millimetres, and a crossing worked in doubles lands within far less.
constexpr double kSameMm = 1e-3;

std::string Metres(int64_t mm) {
  return FormatUnits(mm, 3) + "m";
}

std::string SideName(int32_t p, int32_t q) {
  return std::to_string(p) + "-" + std::to_string(q);
}

TPlanePoint Along(TPlanePoint p, TPlanePoint unit, double length) {
  return {p.X + unit.X * length, p.Y + unit.Y * length};
}

double Apart(TPlanePoint p, TPlanePoint q) {
  return std::hypot(p.X - q.X, p.Y - q.Y);
}

double Dot(TPlanePoint u, TPlanePoint v) {
  return u.X * v.X + u.Y * v.Y;
}

TPlanePoint InUnits(TPlanePoint p, double mmPerUnit) {
  return {p.X / mmPerUnit, p.Y / mmPerUnit};
}

// Whether the segments cross at a point inside both; ends that touch do not.
bool SegmentsCross(TPlanePoint p, TPlanePoint q, TPlanePoint r, TPlanePoint s) {
  auto apart = [](double a, double b) {
    return (a > kSameMm && b < -kSameMm) || (a < -kSameMm && b > kSameMm);
  };
  return apart(LeftDistance(r, p, q), LeftDistance(s, p, q)) &&
         apart(LeftDistance(p, r, s), LeftDistance(q, r, s));
}

// A side's piece of what is left: from its first corner to its second.
struct TPiece {
  TPlanePoint From;
  TPlanePoint To;
};

// The outline counter-clockwise; side i runs from corner i to corner i + 1.
class Outline {
 public:
  Outline(const std::vector<int32_t>& ring, const std::vector<TPlanePoint>& corners)
      : ring_(ring), corners_(corners) {
    if (PolygonDoubleArea(corners_) < 0) {
      std::reverse(ring_.begin(), ring_.end());
      std::reverse(corners_.begin(), corners_.end());
    }
  }

  size_t Size() const { return ring_.size(); }
  const std::vector<TPlanePoint>& Corners() const { return corners_; }
  TPlanePoint Corner(size_t i) const { return corners_[i % Size()]; }
  int32_t Number(size_t i) const { return ring_[i % Size()]; }
  std::optional<size_t> CornerOf(int32_t p) const {
    const auto it = std::find(ring_.begin(), ring_.end(), p);
    if (it == ring_.end()) return std::nullopt;
    return static_cast<size_t>(it - ring_.begin());
  }
  std::optional<size_t> SideOf(int32_t p, int32_t q) const {
    for (size_t i = 0; i < Size(); ++i) {
      if ((Number(i) == p && Number(i + 1) == q) || (Number(i) == q && Number(i + 1) == p))
        return i;
    }
    return std::nullopt;
  }
  TPlanePoint Direction(size_t side) const {
    const TPlanePoint a = Corner(side), b = Corner(side + 1);
    return UnitVector(b.X - a.X, b.Y - a.Y);
  }
  // How far the site reaches inward from the side.
  double Reach(size_t side) const {
    double reach = 0.0;
    for (const TPlanePoint& c : corners_) {
      reach = std::max(reach, LeftDistance(c, Corner(side), Corner(side + 1)));
    }
    return reach;
  }

  // Each side's piece with the sides' lines moved inward by their depths.
  // Where two lines meet, that is the corner; where they run parallel (a
  // corner on a straight side), each piece ends at the corner's foot on it.
  std::vector<TPiece> Pieces(const std::vector<int64_t>& depths) const {
    const size_t n = Size();
    std::vector<TPiece> pieces(n);
    auto line = [&](size_t side) {
      const TPlanePoint d = Direction(side);
      return Along(Corner(side), {-d.Y, d.X}, static_cast<double>(depths[side % n]));
    };
    for (size_t i = 0; i < n; ++i) {
      const size_t before = (i + n - 1) % n;
      const TPlanePoint a = line(before), da = Direction(before), b = line(i), db = Direction(i);
      if (const std::optional<TPlanePoint> meet = LineCross(a, da, b, db)) {
        pieces[before].To = *meet;
        pieces[i].From = *meet;
      } else {
        pieces[before].To = Along(a, da, Dot({Corner(i).X - a.X, Corner(i).Y - a.Y}, da));
        pieces[i].From = Along(b, db, Dot({Corner(i).X - b.X, Corner(i).Y - b.Y}, db));
      }
    }
    return pieces;
  }

  static std::vector<TPlanePoint> Polygon(const std::vector<TPiece>& pieces) {
    std::vector<TPlanePoint> polygon;
    for (size_t i = 0; i < pieces.size(); ++i) {
      const TPiece& before = pieces[(i + pieces.size() - 1) % pieces.size()];
      polygon.push_back(before.To);
      if (Apart(before.To, pieces[i].From) > kSameMm) polygon.push_back(pieces[i].From);
    }
    return polygon;
  }

  // Why the pieces make no site, UTF-8; empty when they do.
  std::string Fault(const std::vector<TPiece>& pieces) const {
    for (size_t i = 0; i < Size(); ++i) {
      const TPlanePoint d{pieces[i].To.X - pieces[i].From.X, pieces[i].To.Y - pieces[i].From.Y};
      if (Dot(d, Direction(i)) < -kSameMm)
        return "辺 " + SideName(Number(i), Number(i + 1)) + " を越えます";
    }
    const std::vector<TPlanePoint> polygon = Polygon(pieces);
    if (PolygonDoubleArea(polygon) <= 0.0) return "敷地が残りません";
    const size_t n = polygon.size();
    for (size_t e = 0; e < n; ++e) {
      for (size_t f = e + 2; f < n; ++f) {
        if (e == 0 && f == n - 1) continue;
        if (SegmentsCross(polygon[e], polygon[e + 1], polygon[f], polygon[(f + 1) % n])) {
          return "外周が交わります";
        }
      }
    }
    return "";
  }

 private:
  std::vector<int32_t> ring_;
  std::vector<TPlanePoint> corners_;
};

}  // namespace

TRoadParts RoadParts(const std::vector<int32_t>& ring, const std::vector<TPlanePoint>& cornersMm,
                     const std::vector<TPointValue>& setbacks, const std::vector<TPointValue>& cuts,
                     double mmPerUnit) {
  TRoadParts r;
  const Outline outline(ring, cornersMm);
  const size_t n = outline.Size();
  std::vector<int64_t> depths(n, 0);
  std::vector<size_t> moved;  // the side of each line, in order
  for (const TPointValue& v : setbacks) {
    const std::string name = "道路後退 " + SideName(v.P, v.Q);
    const std::optional<size_t> side = outline.SideOf(v.P, v.Q);
    if (!side || depths[*side] != 0) {
      r.Refused.push_back(name + (side ? " は二度目です" : " は外周の辺ではありません"));
      continue;
    }
    const double reach = outline.Reach(*side);
    if (static_cast<double>(v.Mm) >= reach - kSameMm) {
      r.Refused.push_back(name + " の " + Metres(v.Mm) + " は敷地の奥行 " +
                          Metres(RoundToInt(reach)) + " 以上です");
      continue;
    }
    std::vector<int64_t> trial = depths;
    trial[*side] = v.Mm;
    const std::string fault = outline.Fault(outline.Pieces(trial));
    if (!fault.empty()) {
      r.Refused.push_back(name + " の " + Metres(v.Mm) + " では" + fault);
      continue;
    }
    depths = std::move(trial);
    moved.push_back(*side);
    r.Lines.push_back({v.P, v.Q, v.Mm, {}, {}});
  }
  const std::vector<TPiece> pieces = outline.Pieces(depths);
  r.SetbackMm2 = RoundToInt(
      (PolygonDoubleArea(outline.Corners()) - PolygonDoubleArea(Outline::Polygon(pieces))) / 2.0);
  for (size_t k = 0; k < moved.size(); ++k) {
    r.Lines[k].From = InUnits(pieces[moved[k]].From, mmPerUnit);
    r.Lines[k].To = InUnits(pieces[moved[k]].To, mmPerUnit);
  }

  // How much of each side's piece the cuts at its ends have taken.
  std::vector<double> taken(n, 0.0);
  for (const TPointValue& v : cuts) {
    const std::string name = "隅切り 点" + std::to_string(v.P);
    const std::optional<size_t> at = outline.CornerOf(v.P);
    const bool again =
        std::any_of(r.Cuts.begin(), r.Cuts.end(), [&v](const TCornerCut& c) { return c.P == v.P; });
    if (!at || again) {
      r.Refused.push_back(name + (at ? " は二度目です" : " は外周の角ではありません"));
      continue;
    }
    const size_t before = (*at + n - 1) % n;
    const TPlanePoint in = outline.Direction(before), out = outline.Direction(*at);
    // Counter-clockwise, a corner that turns left is an outer one.
    const double turn = in.X * out.Y - in.Y * out.X;
    if (turn <= 1e-9) {
      r.Refused.push_back(name + " は出隅ではありません");
      continue;
    }
    // The angle θ between the legs: cos θ = -in·out, sin θ = turn. Legs of
    // c / (2 sin(θ/2)) and the area c² sin θ / (4 (1 - cos θ)), a quarter of
    // c² at a right angle.
    const double cosine = -Dot(in, out);
    const auto c = static_cast<double>(v.Mm);
    const double leg = c / (2.0 * std::sqrt((1.0 - cosine) / 2.0));
    const TPiece &inPiece = pieces[before], &outPiece = pieces[*at];
    if (taken[before] + leg > Apart(inPiece.From, inPiece.To) + kSameMm ||
        taken[*at] + leg > Apart(outPiece.From, outPiece.To) + kSameMm) {
      r.Refused.push_back(name + " の " + Metres(v.Mm) + " は角の辺に収まりません");
      continue;
    }
    taken[before] += leg;
    taken[*at] += leg;
    const TPlanePoint apex = outPiece.From;
    const int64_t area = RoundToInt(c * c * turn / (4.0 * (1.0 - cosine)));
    r.CutMm2 += area;
    r.Cuts.push_back({v.P, v.Mm, InUnits(apex, mmPerUnit),
                      InUnits(Along(apex, {-in.X, -in.Y}, leg), mmPerUnit),
                      InUnits(Along(apex, out, leg), mmPerUnit), area});
  }
  return r;
}
