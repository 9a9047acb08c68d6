// An image reference's hatched box.
#include "text/imageref.h"

#include "preview/draw.h"
#include "preview/previewcoords.h"

void DrawImageRef(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride) {
  double w = 0.0;
  double h = 0.0;
  if (!ParseImageRef(record.Text, w, h)) return;
  const double s = PreviewDivisor(record.Head);
  const double x1 = record.X / s;
  const double y1 = record.Y / s;
  const int32_t flatLayer = FlatLayer(record.Head);
  SetEntityPen(canvas, flatLayer, record.Head.Color, 1);
  SetEntityBrush(canvas, flatLayer, record.Head.Color, 5);
  if (colorOverride >= 0) {
    SetPenColor(canvas, static_cast<TColor>(colorOverride));
    SetBrushColor(canvas, static_cast<TColor>(colorOverride));
  }
  WorldBox(canvas, x1, y1, x1 + w, y1 + h);
}
