// Each kind's cull box, and the blocks that hold runs of them.
#include "preview/blockboxes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "preview/draw.h"
#include "preview/previewcoords.h"

namespace {

bool UseBlocks = true;

// A largest radius that is not above 0 (or not a number) leaves the solid
// drawn whatever the view.
TCullBox SolidArcBox(const TJwwEntSolidArc& r, double reach) {
  if (!(reach > 0)) return kUnboundedBox;
  const double d = PreviewDivisor(r.Head);
  return EllipseBox(r.CX / d, r.CY / d, reach / d, r.Flatness);
}

// Widens [lo, hi] to hold v. A coordinate that is not a number lies on no
// side of any edge, so the box then reaches every way on that axis.
void Widen(double& lo, double& hi, double v) {
  if (std::isnan(v)) {
    lo = kUnboundedBox.X1;
    hi = kUnboundedBox.X2;
    return;
  }
  lo = std::min(lo, v);
  hi = std::max(hi, v);
}

}  // namespace

bool OutsideView(const TCullBox& box) {
  return BoxOutsideView(box.X1, box.Y1, box.X2, box.Y2);
}

TCullBox EllipseBox(double cx, double cy, double r, double flatness) {
  const double e = std::abs(r) * std::max(1.0, std::abs(flatness));
  return {cx - e, cy - e, cx + e, cy + e};
}

TCullBox PointsBox(const TJwwEntHead& head, std::span<const TWorldPoint> points) {
  const double d = PreviewDivisor(head);
  double minX = points.front().x;
  double minY = points.front().y;
  double maxX = minX;
  double maxY = minY;
  for (const TWorldPoint& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  return {minX / d, minY / d, maxX / d, maxY / d};
}

std::array<TWorldPoint, 2> SolidCorners(const TJwwEntSolid2& r) {
  return {{{r.X1, r.Y1}, {r.X2, r.Y2}}};
}
std::array<TWorldPoint, 3> SolidCorners(const TJwwEntSolid3& r) {
  return {{{r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}}};
}
std::array<TWorldPoint, 4> SolidCorners(const TJwwEntSolid4& r) {
  return {{{r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}, {r.X4, r.Y4}}};
}

TCullBox LineBox(const TJwwEntLine& r) {
  const double d = PreviewDivisor(r.Head);
  return {r.X1 / d, r.Y1 / d, r.X2 / d, r.Y2 / d};
}

TCullBox CircleBox(const TJwwEntCircle& r) {
  const double d = PreviewDivisor(r.Head);
  return EllipseBox(r.CX / d, r.CY / d, r.R / d, 1.0);
}

TCullBox ArcBox(const TJwwEntArc& r) {
  const double d = PreviewDivisor(r.Head);
  return EllipseBox(r.CX / d, r.CY / d, r.R / d, r.Flatness);
}

TCullBox Solid2Box(const TJwwEntSolid2& r) {
  return PointsBox(r.Head, SolidCorners(r));
}
TCullBox Solid3Box(const TJwwEntSolid3& r) {
  return PointsBox(r.Head, SolidCorners(r));
}
TCullBox Solid4Box(const TJwwEntSolid4& r) {
  return PointsBox(r.Head, SolidCorners(r));
}

TCullBox FilledArcBox(const TJwwEntSolidArc& r) {
  // The other shapes reach out to the corner of their end tangents.
  const bool heldByEllipse =
      r.Code == kCodeWholeEllipse || r.Code == kCodeSector || r.Code == kCodeChord;
  return SolidArcBox(r, heldByEllipse ? std::abs(r.R) : 0.0);
}

TCullBox ArcOutlineBox(const TJwwEntSolidArc& r) {
  return SolidArcBox(r, std::abs(r.R));
}

TCullBox RingBox(const TJwwEntSolidArc& r) {
  return SolidArcBox(r, std::max(std::abs(r.R), std::abs(r.InnerR)));
}

void SetBlockCulling(bool on) {
  UseBlocks = on;
}

bool BlockCulling() {
  return UseBlocks;
}

void TBlockBoxes::Restart(uint64_t revision, size_t size, TAnyFunction boxOf) {
  boxes_.clear();
  boxes_.reserve((size + kBlockRecords - 1) / kBlockRecords);
  added_ = 0;
  built_ = true;
  revision_ = revision;
  size_ = size;
  boxOf_ = boxOf;
  divisors_ = CurrentDivisors();
}

void TBlockBoxes::Add(const TCullBox& box) {
  if (added_++ % kBlockRecords == 0) {
    // An empty box, which the first record's corners replace.
    boxes_.push_back({kUnboundedBox.X2, kUnboundedBox.Y2, kUnboundedBox.X1, kUnboundedBox.Y1});
  }
  TCullBox& b = boxes_.back();
  Widen(b.X1, b.X2, box.X1);
  Widen(b.X1, b.X2, box.X2);
  Widen(b.Y1, b.Y2, box.Y1);
  Widen(b.Y1, b.Y2, box.Y2);
}

std::array<double, 16> TBlockBoxes::CurrentDivisors() {
  std::array<double, 16> divisors{};
  for (int32_t group = 0; group < 16; ++group) {
    divisors[static_cast<size_t>(group)] = PreviewDivisor({group, 0, 0, 0, 0, 0});
  }
  return divisors;
}
