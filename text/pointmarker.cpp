// The marker shapes, code by code, in the point's own turned frame.
#include "text/pointmarker.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

struct TLocal {
  double u, v;
};

// The local point d units out at phi degrees.
TLocal At(double d, double phiDeg) {
  return {d * std::cos(phiDeg * kDegToRad), d * std::sin(phiDeg * kDegToRad)};
}

class MarkerFrame {
 public:
  MarkerFrame(Canvas& canvas, double x, double y, double angle, int32_t flatLayer,
              int32_t colorNumber, int32_t colorOverride)
      : canvas_(canvas),
        x_(x),
        y_(y),
        cos_(std::cos(angle)),
        sin_(std::sin(angle)),
        flatLayer_(flatLayer),
        color_(colorNumber),
        override_(colorOverride) {}

  double X(TLocal p) const { return x_ + p.u * cos_ - p.v * sin_; }
  double Y(TLocal p) const { return y_ + p.u * sin_ + p.v * cos_; }

  void Pen() { SetEntityPen(canvas_, flatLayer_, color_, 1); }
  void OverridePen() {
    if (override_ >= 0) SetPenColor(canvas_, static_cast<TColor>(override_));
  }
  void OwnFill() {
    SetEntityBrush(canvas_, flatLayer_, color_, 1);
    OverrideBrush();
  }
  void BackgroundFill() {
    SetPlainBrush(canvas_, GraAttribute().GetBackColor(), 1);
    OverrideBrush();
  }
  // The pen again (the override no longer holds for it), then the own fill.
  void PenAndOwnFill() {
    Pen();
    OwnFill();
  }

  void Line(TLocal a, TLocal b) { WorldLine(canvas_, X(a), Y(a), X(b), Y(b)); }
  void Lines(std::initializer_list<TLocal> points) {
    const TLocal* prev = nullptr;
    for (const TLocal& p : points) {
      if (prev != nullptr) Line(*prev, p);
      prev = &p;
    }
  }
  void Polygon(std::initializer_list<TLocal> points) {
    for (const TLocal& p : points) AddWorldPoint(X(p), Y(p));
    WorldPolygon(canvas_);
    ClearWorldPoints();
  }
  void Circle(double r) { WorldEllipse(canvas_, x_, y_, r, 1.0, 0.0); }
  void Arc(TLocal centre, double r, double tilt, double start, double sweep) {
    WorldArc(canvas_, X(centre), Y(centre), r, 1.0, tilt, start, sweep);
  }

 private:
  void OverrideBrush() {
    if (override_ >= 0) SetBrushColor(canvas_, static_cast<TColor>(override_));
  }

  Canvas& canvas_;
  const double x_, y_, cos_, sin_;
  const int32_t flatLayer_, color_, override_;
};

// At least one pixel.
double AtLeastOnePixel(double r) {
  return std::max(r, 1.0 / Gval.ViewScale);
}

// The dot's radius: half the line width (an explicit width number is in
// hundredths) plus the dot size of the colour, at least one pixel.
double DotRadius(int32_t colorNumber, int32_t lineWidthNumber) {
  const TgraAttribute& att = GraAttribute();
  const double lw = lineWidthNumber != 0 ? lineWidthNumber * 0.01 : att.GetLineWidth(colorNumber);
  return AtLeastOnePixel(lw / 2 + att.GetDotSize(colorNumber));
}

// How far the shape of the code reaches from its point.
double MarkerReach(int32_t code, double s, int32_t colorNumber, int32_t lineWidthNumber) {
  switch (code) {
    case 0:
      return std::abs(DotRadius(colorNumber, lineWidthNumber));
    case -3:
      return AtLeastOnePixel(std::abs(GraAttribute().GetLineWidth(colorNumber) * s));
    case 1:
    case 6:
    case 9:
    case 11:
      return 7.61 * s;  // the arrowheads' base corners
    case 8:
      return 3.54 * s;  // the far side of the two arcs
    case 10:
      return 2.5 * s;
    default:
      return 1.77 * s;  // the squares' corners
  }
}

void DrawShape(MarkerFrame& f, int32_t code, double s, double angle, int32_t colorNumber,
               int32_t lineWidthNumber) {
  const double c = 1.25 * s;
  const TLocal tip{0, 0};
  const TLocal baseLeft{-7.5 * s, c};
  const TLocal baseRight{-7.5 * s, -c};
  const std::initializer_list<TLocal> square = {{-c, -c}, {c, -c}, {c, c}, {-c, c}};
  switch (code) {
    case 0:
      f.PenAndOwnFill();
      f.Circle(DotRadius(colorNumber, lineWidthNumber));
      break;
    case 1:
      f.BackgroundFill();
      f.Polygon({tip, baseLeft, baseRight});
      break;
    case 2:
      f.BackgroundFill();
      f.Polygon(square);
      break;
    case 3:
      f.BackgroundFill();
      f.Circle(c);
      break;
    case 4:
    case -2:
      f.Circle(c);
      break;
    case 5:
      f.PenAndOwnFill();
      f.Polygon(square);
      break;
    case 6:
      f.PenAndOwnFill();
      f.Polygon({tip, baseLeft, baseRight});
      break;
    case 8: {
      const double r = 1.25 * std::numbers::sqrt2 * s;
      const double pi = std::numbers::pi;
      f.Arc({r, 0}, r, angle, pi / 2, pi / 2);
      f.Arc({-r, 0}, r, angle, 3 * pi / 2, pi / 2);
      break;
    }
    case 9:
      f.Line(tip, baseLeft);
      f.Line(tip, baseRight);
      break;
    case 10:
      f.Line(At(2.5 * s, 45), At(2.5 * s, 225));
      break;
    case 11:
      f.Polygon({tip, baseLeft, baseRight});
      break;
    case -1:
      f.Line(At(c, 90), At(c, 270));
      f.Line(At(c, 30), At(c, 210));
      f.Line(At(c, 150), At(c, 330));
      break;
    case -3:
      f.PenAndOwnFill();
      f.Circle(AtLeastOnePixel(GraAttribute().GetLineWidth(colorNumber) * s));
      break;
    case -4:
      f.Line({0, c}, {0, -c});
      f.Line({-c, 0}, {c, 0});
      break;
    case -5:
      f.Lines({{-c, -c}, {c, -c}, {c, c}, {-c, c}, {-c, -c}});
      break;
    case -6: {
      const double r = 5.0 / 3.0 * s;
      f.Lines({At(r, 90), At(r, 210), At(r, 330), At(r, 90)});
      break;
    }
    case -7:
      f.Line(At(c, 45), At(c, 225));
      f.Line(At(c, 135), At(c, 315));
      break;
    default:  // 7 and every code outside -7..11
      f.PenAndOwnFill();
      f.Circle(c);
      break;
  }
}

}  // namespace

void DrawPointMarker(Canvas& canvas, int32_t code, double x, double y, double angle, double scale,
                     int32_t flatLayer, int32_t colorNumber, int32_t colorOverride,
                     int32_t lineWidthNumber) {
  const double s = scale > 1e-8 ? scale : 1.0;
  const double reach = MarkerReach(code, s, colorNumber, lineWidthNumber);
  if (BoxOutsideView(x - reach, y - reach, x + reach, y + reach)) return;
  MarkerFrame frame(canvas, x, y, angle, flatLayer, colorNumber, colorOverride);
  frame.Pen();
  frame.OverridePen();
  DrawShape(frame, code, s, angle, colorNumber, lineWidthNumber);
}

void DrawPointEntity(Canvas& canvas, const TJwwEntPoint& record, int32_t colorOverride) {
  const double g = PreviewDivisor(record.Head);
  DrawPointMarker(canvas, 0, record.X / g, record.Y / g, 0.0, 1.0, FlatLayer(record.Head),
                  record.Head.Color, colorOverride, record.Head.LineWidth);
}

void DrawCodedPointEntity(Canvas& canvas, const TJwwEntCodedPoint& record, int32_t colorOverride) {
  const double g = PreviewDivisor(record.Head);
  DrawPointMarker(canvas, record.Code, record.X / g, record.Y / g, record.Angle * kDegToRad,
                  record.Scale, FlatLayer(record.Head), record.Head.Color, colorOverride,
                  record.Head.LineWidth);
}
