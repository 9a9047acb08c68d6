// The view state's one instance, the centring of the view and the world
// point buffer.
#include "preview/gval.h"

TGval Gval;

void CenterView(double cx, double cy, int32_t width, int32_t height) {
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
