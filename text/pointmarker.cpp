// Point entities and coded points, each drawn as its dot for now.
#include "text/pointmarker.h"

#include <algorithm>
#include <numbers>

#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"

namespace {

// The dot: a circle of half the line width plus the dot size of the colour,
// never smaller than one pixel. An explicit width number is in hundredths.
void DrawDot(Canvas& canvas, double x, double y, int32_t flatLayer, int32_t colorNumber,
             int32_t colorOverride, int32_t lineWidthNumber) {
  const TgraAttribute& att = GraAttribute();
  const double lw = lineWidthNumber != 0 ? lineWidthNumber * 0.01 : att.GetLineWidth(colorNumber);
  const double r = std::max(lw / 2 + att.GetDotSize(colorNumber), 1.0 / Gval.ViewScale);
  if (BoxOutsideView(x - r, y - r, x + r, y + r)) return;
  SetEntityPen(canvas, flatLayer, colorNumber, 1);
  SetEntityBrush(canvas, flatLayer, colorNumber, 1);
  if (colorOverride >= 0) SetBrushColor(canvas, static_cast<TColor>(colorOverride));
  WorldEllipse(canvas, x, y, r, 1.0, 0.0);
}

}  // namespace

void DrawPointMarker(Canvas& canvas, int32_t /*code*/, double x, double y, double /*angle*/,
                     double /*scale*/, int32_t flatLayer, int32_t colorNumber,
                     int32_t colorOverride, int32_t lineWidthNumber) {
  DrawDot(canvas, x, y, flatLayer, colorNumber, colorOverride, lineWidthNumber);
}

void DrawPointEntity(Canvas& canvas, const TJwwEntPoint& record, int32_t colorOverride) {
  const double g = PreviewDivisor(record.Head);
  DrawPointMarker(canvas, 0, record.X / g, record.Y / g, 0.0, 1.0, FlatLayer(record.Head),
                  record.Head.Color, colorOverride, record.Head.LineWidth);
}

void DrawCodedPointEntity(Canvas& canvas, const TJwwEntCodedPoint& record, int32_t colorOverride) {
  const double g = PreviewDivisor(record.Head);
  DrawPointMarker(canvas, record.Code, record.X / g, record.Y / g,
                  record.Angle * std::numbers::pi / 180.0, record.Scale, FlatLayer(record.Head),
                  record.Head.Color, colorOverride, record.Head.LineWidth);
}
