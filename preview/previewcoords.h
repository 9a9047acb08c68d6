// How an entity's record maps into the preview: the divisor that turns store
// coordinates and lengths into preview coordinates, the flat layer index of
// its header, and the wrap of angles in degrees the records carry.
#pragma once

#include <cmath>
#include <cstdint>

#include "exchange/store.h"

// 1.0 in drawing-size mode, else the GroupScale of the header's layer group.
// A group outside 0..15 or a scale of 0 (or not a number) gives 1.0, so a
// broken header never divides by zero.
// Inline: every record of every redraw asks for it.
inline double PreviewDivisor(const TJwwEntHead& head) {
  if (JwwStore.DrawingSizeMode || head.LayerGroup < 0 || head.LayerGroup > 15) return 1.0;
  const double scale = JwwStore.GroupScale[head.LayerGroup];
  return scale == 0.0 || std::isnan(scale) ? 1.0 : scale;
}

// LayerGroup x 16 + Layer.
inline int32_t FlatLayer(const TJwwEntHead& head) {
  return head.LayerGroup * 16 + head.Layer;
}

// The angle in degrees brought into [0, 360).
double WrapDegrees(double deg);

// True when the box (any two opposite corners, preview coordinates) lies
// wholly beyond one edge of the view: two outcodes, nothing mapped, so a
// shape far outside costs no more than that.
bool BoxOutsideView(double x1, double y1, double x2, double y2);
