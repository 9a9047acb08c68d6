// The state the preview's drawing units share: the view (which world
// rectangle is visible and at what scale), the two point buffers of the
// polyline and polygon primitives, and the one attribute instance. World y
// grows upwards, screen y downwards.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "preview/canvas.h"
#include "preview/graattribute.h"

struct TWorldPoint {
  double x;
  double y;
  bool operator==(const TWorldPoint&) const = default;
};

// The visible world rectangle and its scale in pixels per world unit.
struct TView {
  double Scale = 1.0;
  double MinX = 0.0;
  double MinY = 0.0;
  double MaxX = 0.0;
  double MaxY = 0.0;
  bool operator==(const TView&) const = default;
};

struct TGval {
  // The visible world rectangle, which is also the clip rectangle.
  double ViewMinX = 0.0;
  double ViewMinY = 0.0;
  double ViewMaxX = 0.0;
  double ViewMaxY = 0.0;
  double ViewScale = 1.0;  // pixels per world unit
  // The canvas size in pixels when the view was last set.
  int32_t ViewWidth = 0;
  int32_t ViewHeight = 0;

  // Filled by a caller of WorldPolyline or WorldPolygon, who empties it again
  // with ClearWorldPoints afterwards.
  std::vector<TWorldPoint> WorldPoints;
  // Built inside the world primitives; empty between calls.
  std::vector<ScreenPoint> ScreenPoints;

  TgraAttribute GraAtt;
};

// The one instance of the run.
extern TGval Gval;

// The view Gval shows, and the view made Gval's (its size stays).
inline TView CurrentView() {
  return {Gval.ViewScale, Gval.ViewMinX, Gval.ViewMinY, Gval.ViewMaxX, Gval.ViewMaxY};
}
inline void SetView(const TView& v) {
  Gval.ViewScale = v.Scale;
  Gval.ViewMinX = v.MinX;
  Gval.ViewMinY = v.MinY;
  Gval.ViewMaxX = v.MaxX;
  Gval.ViewMaxY = v.MaxY;
}

// Coordinates beyond this many pixels from the canvas origin are never handed
// to a canvas: the primitives clip there, so any zoom stays in 32-bit range.
inline constexpr int32_t kScreenLimit = 1 << 22;

// The mapping runs for every point of every redraw, so it stands here
// inline.

// The rounded pixel of a scaled value (RoundToInt's halves away from zero),
// held within +-kScreenLimit so that no zoom can overflow a screen
// coordinate; a value that is not a number gives 0.
inline int32_t HeldPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v < -kScreenLimit) return -kScreenLimit;
  if (v > kScreenLimit) return kScreenLimit;
  // Within the limit the conversion's own truncation does RoundToInt's trunc.
  return static_cast<int32_t>(v >= 0 ? v + 0.5 : v - 0.5);
}

// Pixels from the view's lower-left corner before rounding, y upwards:
// (x - ViewMinX) * ViewScale and (y - ViewMinY) * ViewScale. Primitives that
// must cut at kScreenLimit do it on these.
inline double ScaledX(double x) {
  return (x - Gval.ViewMinX) * Gval.ViewScale;
}
inline double ScaledY(double y) {
  return (y - Gval.ViewMinY) * Gval.ViewScale;
}
// The screen pixel of a scaled position, held as ToScreenX and ToScreenY.
inline ScreenPoint ScreenOfScaled(double sx, double sy) {
  return {HeldPixel(sx), Gval.ViewHeight - HeldPixel(sy)};
}

// HeldPixel(ScaledX(x)).
inline int32_t ToScreenX(double x) {
  return HeldPixel(ScaledX(x));
}
// ViewHeight - HeldPixel(ScaledY(y)); a value that is not a number gives
// ViewHeight.
inline int32_t ToScreenY(double y) {
  return Gval.ViewHeight - HeldPixel(ScaledY(y));
}

// Sets ViewWidth and ViewHeight to the canvas size and the visible rectangle
// to that size at ViewScale, centred on (cx, cy).
void CenterView(double cx, double cy, int32_t width, int32_t height);

void AddWorldPoint(double x, double y);
inline int32_t WorldPointCount() {
  return static_cast<int32_t>(Gval.WorldPoints.size());
}
// Count 0 and storage released.
void ClearWorldPoints();
inline int32_t ScreenPointCount() {
  return static_cast<int32_t>(Gval.ScreenPoints.size());
}

// A fresh attribute instance with the window's set-up (SetUpAttributesForWindow).
void CreateGraAttribute();
inline TgraAttribute& GraAttribute() {
  return Gval.GraAtt;
}
