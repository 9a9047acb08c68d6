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
  // Every solid and ellipse of a redraw passes its points through here:
  // the memory stays for the next one, unless a rare huge one grew it.
  constexpr size_t kKeptPoints = 4096;
  if (Gval.WorldPoints.capacity() > kKeptPoints) {
    std::vector<TWorldPoint>().swap(Gval.WorldPoints);
  } else {
    Gval.WorldPoints.clear();
  }
}

void CreateGraAttribute() {
  SetUpAttributesForWindow(Gval.GraAtt);
}
