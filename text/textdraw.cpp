// A text entity as the outline of its box, turned about its anchor by the
// writing direction.
#include "text/textdraw.h"

#include <cmath>
#include <utility>

#include "common/myfunc.h"
#include "preview/draw.h"
#include "preview/previewcoords.h"
#include "text/imageref.h"

namespace {

// The offset of the start point from the anchor point, as fractions of the
// text's length L and height K, for the anchor codes 0..8.
constexpr double kAnchorOffset[9][2] = {
    {0, 0}, {-0.5, 0}, {-1, 0}, {0, -0.5}, {-0.5, -0.5}, {-1, -0.5}, {0, -1}, {-0.5, -1}, {-1, -1},
};

}  // namespace

void DrawTextEntity(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride) {
  if (IsImageRef(record.Text)) return;
  const double s = PreviewDivisor(record.Head);
  const double bx = record.X / s;
  const double by = record.Y / s;
  double l = TextSpan(record.Text, record.Width, record.Spacing);
  double k = record.Height;
  // The anchor moves the box by at most its diagonal and the box reaches no
  // farther than that again, so this square holds the whole text.
  const double reach = 2 * (std::abs(l) + std::abs(k));
  if (BoxOutsideView(bx - reach, by - reach, bx + reach, by + reach)) return;
  SetEntityPen(canvas, FlatLayer(record.Head), record.Head.Color, 1);
  if (colorOverride >= 0) SetPenColor(canvas, static_cast<TColor>(colorOverride));
  if (record.TextCmd == 1) std::swap(l, k);
  const int anchor = record.TextAnchor >= 1 && record.TextAnchor <= 8 ? record.TextAnchor : 0;
  const double ox = kAnchorOffset[anchor][0] * l;
  const double oy = kAnchorOffset[anchor][1] * k;
  const double a = DirectionRad(record.DX, record.DY);
  const double x1 = bx + RotateX(ox, oy, 0, 0, a);
  const double y1 = by + RotateY(ox, oy, 0, 0, a);
  // The box along the writing direction: length L, height K.
  const double ux = std::cos(a);
  const double uy = std::sin(a);
  const double corners[4][2] = {{x1, y1},
                                {x1 + l * ux, y1 + l * uy},
                                {x1 + l * ux - k * uy, y1 + l * uy + k * ux},
                                {x1 - k * uy, y1 + k * ux}};
  for (int i = 0; i < 4; ++i) {
    const double* p = corners[i];
    const double* q = corners[(i + 1) % 4];
    WorldLine(canvas, p[0], p[1], q[0], q[1]);
  }
}
