// The view state's one instance and its world-to-screen mapping, held within
// the screen limit.
#include "preview/gval.h"

#include <cmath>

TGval Gval;

namespace {

// The rounded pixel of a scaled value, held within +-kScreenLimit so that no
// zoom can overflow a screen coordinate.
int32_t HeldPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v < -kScreenLimit) return -kScreenLimit;
  if (v > kScreenLimit) return kScreenLimit;
  // RoundToInt's halves away from zero; within the limit the conversion's
  // own truncation does its trunc, and nothing can overflow.
  return static_cast<int32_t>(v >= 0 ? v + 0.5 : v - 0.5);
}

}  // namespace

double ScaledX(double x) {
  return (x - Gval.ViewMinX) * Gval.ViewScale;
}

double ScaledY(double y) {
  return (y - Gval.ViewMinY) * Gval.ViewScale;
}

ScreenPoint ScreenOfScaled(double sx, double sy) {
  return {HeldPixel(sx), Gval.ViewHeight - HeldPixel(sy)};
}

int32_t ToScreenX(double x) {
  return HeldPixel(ScaledX(x));
}

int32_t ToScreenY(double y) {
  return Gval.ViewHeight - HeldPixel(ScaledY(y));
}

void CentreView(double cx, double cy, int32_t width, int32_t height) {
  Gval.ViewWidth = width;
  Gval.ViewHeight = height;
  const double hw = width / 2.0 / Gval.ViewScale;
  const double hh = height / 2.0 / Gval.ViewScale;
  Gval.ViewMinX = cx - hw;
  Gval.ViewMaxX = cx + hw;
  Gval.ViewMinY = cy - hh;
  Gval.ViewMaxY = cy + hh;
}

void AddWorldPoint(double x, double y) {
  Gval.WorldPoints.push_back({x, y});
}

void ClearWorldPoints() {
  std::vector<TWorldPoint>().swap(Gval.WorldPoints);
}

void CreateGraAttribute() {
  SetUpAttributesForWindow(Gval.GraAtt);
}
