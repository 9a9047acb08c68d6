// The per-record divisor, angle wrap and box test the renderer and the
// extents share.
#include "preview/previewcoords.h"

#include <cmath>

#include "preview/clipping.h"
#include "preview/gval.h"

double WrapDegrees(double deg) {
  // fmod rather than repeated steps of 360: the same for ordinary angles,
  // and a huge angle cannot loop for ever.
  const double a = std::fmod(deg, 360.0);
  if (a < 0) return a + 360.0 >= 360.0 ? 0.0 : a + 360.0;
  return a;
}

bool BoxOutsideView(double x1, double y1, double x2, double y2) {
  return ClipBoxTest(x1, y1, x2, y2, Gval.ViewMinX, Gval.ViewMinY, Gval.ViewMaxX, Gval.ViewMaxY) ==
         2;
}
