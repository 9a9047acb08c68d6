#include "app/viewmath.h"

#include <algorithm>
#include <cmath>

namespace {

// The least side of a dragged box, in world units.
constexpr double kLeastBoxSide = 0.001;

bool Finite(const TView& v) {
  return std::isfinite(v.Scale) && std::isfinite(v.MinX) && std::isfinite(v.MinY) &&
         std::isfinite(v.MaxX) && std::isfinite(v.MaxY);
}

}  // namespace

bool ViewWithinLimits(const TView& v) {
  return Finite(v) && v.Scale >= kMinViewScale && v.Scale <= kMaxViewScale &&
         std::abs(v.MinX) <= kMaxViewCoordinate && std::abs(v.MaxX) <= kMaxViewCoordinate &&
         std::abs(v.MinY) <= kMaxViewCoordinate && std::abs(v.MaxY) <= kMaxViewCoordinate &&
         v.MinX < v.MaxX && v.MinY < v.MaxY;
}

double PixelToWorldX(const TView& v, double px) {
  return px / v.Scale + v.MinX;
}

double PixelToWorldY(const TView& v, double py) {
  return v.MaxY - py / v.Scale;
}

TView CenteredView(double cx, double cy, double scale, int32_t width, int32_t height) {
  const double hw = width * 0.5 / scale;
  const double hh = height * 0.5 / scale;
  return {scale, cx - hw, cy - hh, cx + hw, cy + hh};
}

TView MovedView(const TView& v, double dx, double dy) {
  return {v.Scale, v.MinX + dx, v.MinY + dy, v.MaxX + dx, v.MaxY + dy};
}

TView ZoomedView(const TView& v, double wx, double wy, double factor) {
  const double cx = (v.MinX + v.MaxX) / 2;
  const double cy = (v.MinY + v.MaxY) / 2;
  const double hw = (v.MaxX - v.MinX) / 2 / factor;
  const double hh = (v.MaxY - v.MinY) / 2 / factor;
  const double sx = -(wx - cx) / factor + (wx - cx);
  const double sy = -(wy - cy) / factor + (wy - cy);
  return {v.Scale * factor, cx - hw + sx, cy - hh + sy, cx + hw + sx, cy + hh + sy};
}

TView BoxView(double x1, double y1, double x2, double y2, int32_t width, int32_t height) {
  const double bw = std::max(std::abs(x2 - x1), kLeastBoxSide);
  const double bh = std::max(std::abs(y2 - y1), kLeastBoxSide);
  const double scale = std::min(width / bw, height / bh);
  return CenteredView((x1 + x2) / 2, (y1 + y2) / 2, scale, width, height);
}

TView ZoomedOutView(const TView& v, double x1, double y1, double x2, double y2, int32_t width,
                    int32_t height) {
  const double w = v.MaxX - v.MinX;
  const double h = v.MaxY - v.MinY;
  const double scale = std::min(width / (2 * w), height / (2 * h));
  return CenteredView((x1 + x2) / 2, (y1 + y2) / 2, scale, width, height);
}
