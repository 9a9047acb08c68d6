// The boxes the renderer culls by, in preview coordinates: each record's
// own, and a coarse index over runs of records. A host drawing writes its
// records mostly near each other, so the union of a run's boxes stays small,
// and a redraw zoomed in on a part of a large drawing can pass over a whole
// run that lies outside the view with one test instead of one per record.
//
// A block's box holds every record's box whole, so a block outside the view
// holds only records the renderer would cull one by one: skipping it changes
// no drawing. The index knows nothing of layer states or auxiliary entities;
// the records of a block that is walked are still tested one by one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "exchange/store.h"
#include "preview/gval.h"

// Two opposite corners, in preview coordinates.
struct TCullBox {
  double X1, Y1, X2, Y2;
};

// The box of a record that is drawn whatever the view.
inline constexpr TCullBox kUnboundedBox = {
    -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};

// True when the box lies wholly beyond one edge of the view.
bool OutsideView(const TCullBox& box);

// The box around an ellipse of radius r about (cx, cy), whatever its tilt.
TCullBox EllipseBox(double cx, double cy, double r, double flatness);

// The box of the points, each divided by the divisor of the header.
TCullBox PointsBox(const TJwwEntHead& head, std::span<const TWorldPoint> points);

// The corner points of the straight-edged solids, in record order.
std::array<TWorldPoint, 2> SolidCorners(const TJwwEntSolid2& r);
std::array<TWorldPoint, 3> SolidCorners(const TJwwEntSolid3& r);
std::array<TWorldPoint, 4> SolidCorners(const TJwwEntSolid4& r);

// Each kind's box as the renderer culls it; one per kind rather than one
// overloaded name, so a box can be a template argument of the walk.
TCullBox LineBox(const TJwwEntLine& r);
TCullBox CircleBox(const TJwwEntCircle& r);
TCullBox ArcBox(const TJwwEntArc& r);
TCullBox Solid2Box(const TJwwEntSolid2& r);
TCullBox Solid3Box(const TJwwEntSolid3& r);
TCullBox Solid4Box(const TJwwEntSolid4& r);
// The circular solids by how they are drawn: filled by their shape code
// (unbounded for a shape the ellipse does not hold), as an outline, and as
// a ring sector out to the larger of the two radii.
TCullBox FilledArcBox(const TJwwEntSolidArc& r);
TCullBox ArcOutlineBox(const TJwwEntSolidArc& r);
TCullBox RingBox(const TJwwEntSolidArc& r);

// Records per block: small enough that a block at the view's edge costs
// little, large enough that the blocks of a million records are few.
inline constexpr size_t kBlockRecords = 64;

// Whether the renderer walks by blocks (the default). Switched off, every
// record is culled on its own, as the reference the blocks are tested by.
void SetBlockCulling(bool on);
bool BlockCulling();

// The blocks of one kind's array. Refresh builds them again when the array
// may have been written, a divisor has changed or the box function is
// another since they were built.
class TBlockBoxes {
 public:
  template <class T>
  void Refresh(const TGrowArray<T>& records, TCullBox (*boxOf)(const T&)) {
    const auto source = reinterpret_cast<TAnyFunction>(boxOf);
    if (Fresh(records, source)) return;
    Restart(records.Revision(), records.size(), source);
    for (const T& r : records) Add(boxOf(r));
  }

  // True when record i starts a block that lies wholly outside the view.
  bool BlockOutsideView(size_t i) const {
    return i % kBlockRecords == 0 && OutsideView(boxes_[i / kBlockRecords]);
  }

  size_t BlockCount() const { return boxes_.size(); }

 private:
  // Box functions are told apart by their address alone.
  using TAnyFunction = void (*)();

  template <class T>
  bool Fresh(const TGrowArray<T>& records, TAnyFunction boxOf) const {
    return built_ && records.Revision() == revision_ && records.size() == size_ &&
           boxOf == boxOf_ && divisors_ == CurrentDivisors();
  }
  void Restart(uint64_t revision, size_t size, TAnyFunction boxOf);
  void Add(const TCullBox& box);
  // The divisor of each layer group, all a record's box depends on besides
  // the record.
  static std::array<double, 16> CurrentDivisors();

  std::vector<TCullBox> boxes_;
  size_t added_ = 0;
  bool built_ = false;
  uint64_t revision_ = 0;
  size_t size_ = 0;
  TAnyFunction boxOf_ = nullptr;
  std::array<double, 16> divisors_{};
};
