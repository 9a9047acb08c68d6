// The view most preview tests draw in: a 100 x 100 pixel canvas showing the
// world from (minX, minY) at scale pixels per unit. At the defaults a world
// point (x, y) is the pixel (x, 100 - y).
#pragma once

#include "preview/gval.h"

inline void ShowSquareView(double minX = 0, double minY = 0, double scale = 1) {
  Gval.ViewMinX = minX;
  Gval.ViewMinY = minY;
  Gval.ViewScale = scale;
  Gval.ViewWidth = 100;
  Gval.ViewHeight = 100;
  Gval.ViewMaxX = minX + 100 / scale;
  Gval.ViewMaxY = minY + 100 / scale;
}
