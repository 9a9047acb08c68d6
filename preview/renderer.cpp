// Walks the store kind by kind, skipping hidden and auxiliary records,
// culling each entity by its box before it sets a pen, and polling Esc.
#include "preview/renderer.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <numbers>

#include "common/escape.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr int32_t kAuxNumber = 9;  // the colour and line type of auxiliary entities

bool ColorAux(const TJwwEntHead& h) {
  return h.Color == kAuxNumber;
}
bool LineAux(const TJwwEntHead& h) {
  return h.Color == kAuxNumber || h.LineType == kAuxNumber;
}

// Colour 10 means the solid's own 24-bit colour.
void SetSolidColors(Canvas& canvas, const TJwwEntHead& h, int32_t solidRGB) {
  if (h.Color == kOwnColorNumber) {
    const TColor color = static_cast<TColor>(solidRGB) & 0xFFFFFFu;
    SetPlainPen(canvas, color, 0, 0);
    SetPlainBrush(canvas, color, 1);
  } else {
    SetEntityPen(canvas, FlatLayer(h), h.Color, 1);
    SetEntityBrush(canvas, FlatLayer(h), h.Color, 1);
  }
}

// The corner points of a straight-edged solid, in record order, drawn by
// WorldPolyline (two points) or WorldPolygon.
void RenderSolidPoints(Canvas& canvas, const TJwwEntHead& h, int32_t solidRGB,
                       std::initializer_list<TWorldPoint> points, void (*draw)(Canvas&)) {
  const double d = PreviewDivisor(h);
  double minX = points.begin()->x;
  double minY = points.begin()->y;
  double maxX = minX;
  double maxY = minY;
  for (const TWorldPoint& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  if (BoxOutsideView(minX / d, minY / d, maxX / d, maxY / d)) return;
  SetSolidColors(canvas, h, solidRGB);
  for (const TWorldPoint& p : points) AddWorldPoint(p.x / d, p.y / d);
  draw(canvas);
  ClearWorldPoints();
}

// The box around an ellipse of radius r about (cx, cy), whatever its tilt.
bool EllipseOutsideView(double cx, double cy, double r, double flatness) {
  const double e = std::abs(r) * std::max(1.0, std::abs(flatness));
  return BoxOutsideView(cx - e, cy - e, cx + e, cy + e);
}

// A circular solid; reach is its largest radius, or 0 when its outline is
// not held by the ellipse of that radius (the corner of the end tangents).
void RenderSolidArc(Canvas& canvas, const TJwwEntSolidArc& r, int32_t shape, double codeOrInner,
                    double reach) {
  const double d = PreviewDivisor(r.Head);
  if (reach > 0 && EllipseOutsideView(r.CX / d, r.CY / d, reach / d, r.Flatness)) return;
  SetSolidColors(canvas, r.Head, r.SolidRGB);
  SolidArcShape(canvas, shape, codeOrInner, r.CX / d, r.CY / d, r.R / d, r.Flatness, r.Tilt,
                r.Start, r.Sweep);
}

// Walks one kind in array order from progress.Next: records on hidden
// layers and, with auxiliary entities switched off, auxiliary ones are
// skipped; after every tenth drawn record Esc is polled, and then whether
// the walk is to pause.
template <class T, class IsAux, class Draw>
TRenderEnd RenderKind(Canvas& canvas, const TGrowArray<T>& records, IsAux isAux, Draw draw,
                      TRenderProgress& progress, const RenderPause& pause) {
  const TgraAttribute& att = GraAttribute();
  const bool showAux = att.GetShowAux();
  const size_t n = records.size();
  while (progress.Next < n) {
    const size_t i = progress.Next++;
    const T& r = records[i];
    if (att.GetLayerState(FlatLayer(r.Head)) == kLayerHidden || (!showAux && isAux(r.Head))) {
      continue;
    }
    draw(canvas, r);
    if (i % 10 != 0) continue;
    if (EscapePressed()) return TRenderEnd::Escaped;
    if (pause && pause()) return TRenderEnd::Paused;
  }
  return TRenderEnd::Done;
}

bool NeverAux(const TJwwEntHead&) {
  return false;
}

TEntityPainters Painters;

// The hook's drawing of a record, or nothing while the hook is empty.
template <class T>
void Paint(void (*hook)(Canvas&, const T&, int32_t), Canvas& canvas, const T& r) {
  if (hook != nullptr) hook(canvas, r, -1);
}

void RenderImageRef(Canvas& canvas, const TJwwEntText& r) {
  Paint(Painters.ImageRef, canvas, r);
}
void RenderPoint(Canvas& canvas, const TJwwEntPoint& r) {
  Paint(Painters.Point, canvas, r);
}
void RenderCodedPoint(Canvas& canvas, const TJwwEntCodedPoint& r) {
  Paint(Painters.CodedPoint, canvas, r);
}
void RenderText(Canvas& canvas, const TJwwEntText& r) {
  Paint(Painters.Text, canvas, r);
}

using StepWalk = TRenderEnd (*)(Canvas&, TRenderProgress&, const RenderPause&);

template <auto Records, auto IsAux, auto Draw>
TRenderEnd Walk(Canvas& canvas, TRenderProgress& progress, const RenderPause& pause) {
  return RenderKind(canvas, JwwStore.*Records, IsAux, Draw, progress, pause);
}

// Lines and everything after them draw over the solids with a hollow brush.
TRenderEnd HollowBrush(Canvas& canvas, TRenderProgress&, const RenderPause&) {
  SetPlainBrush(canvas, canvas.GetBrush().Color, 0);
  return TRenderEnd::Done;
}

// The steps of a redraw in drawing order.
constexpr StepWalk kSteps[] = {
    Walk<&TJwwStore::Texts, ColorAux, RenderImageRef>,
    Walk<&TJwwStore::Solids2, ColorAux, RenderSolid2>,
    Walk<&TJwwStore::Solids3, ColorAux, RenderSolid3>,
    Walk<&TJwwStore::Solids4, ColorAux, RenderSolid4>,
    Walk<&TJwwStore::SolidsSc, ColorAux, RenderSolidSc>,
    Walk<&TJwwStore::SolidsSe, ColorAux, RenderSolidSe>,
    Walk<&TJwwStore::SolidsSo, ColorAux, RenderSolidSo>,
    Walk<&TJwwStore::SolidsSg, ColorAux, RenderSolidSg>,
    HollowBrush,
    Walk<&TJwwStore::Lines, LineAux, RenderLine>,
    Walk<&TJwwStore::Circles, LineAux, RenderCircle>,
    Walk<&TJwwStore::Arcs, LineAux, RenderArc>,
    Walk<&TJwwStore::Points, ColorAux, RenderPoint>,
    Walk<&TJwwStore::CodedPoints, ColorAux, RenderCodedPoint>,
    Walk<&TJwwStore::Texts, ColorAux, RenderText>,
    Walk<&TJwwStore::Dims, NeverAux, RenderDim>,
};

}  // namespace

void SetEntityPainters(const TEntityPainters& painters) {
  Painters = painters;
}

TRenderEnd RenderStoreFrom(Canvas& canvas, TRenderProgress& progress, const RenderPause& pause) {
  for (; progress.Step < std::size(kSteps); ++progress.Step, progress.Next = 0) {
    const bool starting = progress.Next == 0 && progress.Step > 0;
    // The brush change draws nothing, so no Esc poll comes before it.
    if (starting && kSteps[progress.Step] != HollowBrush && EscapePressed()) {
      return TRenderEnd::Escaped;
    }
    const TRenderEnd end = kSteps[progress.Step](canvas, progress, pause);
    if (end != TRenderEnd::Done) return end;
  }
  return TRenderEnd::Done;
}

void RenderStore(Canvas& canvas) {
  TRenderProgress progress;
  RenderStoreFrom(canvas, progress, {});
}

void RenderPreviewFrame(Canvas& canvas, int32_t width, int32_t height) {
  ClearView(canvas, width, height);
  SetPlainPen(canvas, RGB(0, 0, 255), 0, 0);
  ScreenRect(canvas, 0, 0, width - 1, height - 1);
  SetPlainPen(canvas, RGB(255, 0, 0), 0, 2);
  const double d = 5 / Gval.ViewScale;
  WorldLine(canvas, -d, 0, d, 0);
  WorldLine(canvas, 0, -d, 0, d);
}

void RenderPreview(Canvas& canvas, int32_t width, int32_t height) {
  RenderPreviewFrame(canvas, width, height);
  RenderStore(canvas);
}

void RenderSolid2(Canvas& canvas, const TJwwEntSolid2& r) {
  RenderSolidPoints(canvas, r.Head, r.SolidRGB, {{r.X1, r.Y1}, {r.X2, r.Y2}}, WorldPolyline);
}

void RenderSolid3(Canvas& canvas, const TJwwEntSolid3& r) {
  RenderSolidPoints(canvas, r.Head, r.SolidRGB, {{r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}},
                    WorldPolygon);
}

void RenderSolid4(Canvas& canvas, const TJwwEntSolid4& r) {
  RenderSolidPoints(canvas, r.Head, r.SolidRGB,
                    {{r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}, {r.X4, r.Y4}}, WorldPolygon);
}

void RenderSolidSc(Canvas& canvas, const TJwwEntSolidArc& r) {
  const bool heldByEllipse =
      r.Code == kCodeWholeEllipse || r.Code == kCodeSector || r.Code == kCodeChord;
  RenderSolidArc(canvas, r, kShapeFilledArc, r.Code, heldByEllipse ? std::abs(r.R) : 0.0);
}

void RenderSolidSe(Canvas& canvas, const TJwwEntSolidArc& r) {
  RenderSolidArc(canvas, r, kShapeArcOutline, r.Code, std::abs(r.R));
}

void RenderSolidSo(Canvas& canvas, const TJwwEntSolidArc& r) {
  const double d = PreviewDivisor(r.Head);
  RenderSolidArc(canvas, r, kShapeRing, r.InnerR / d, std::max(std::abs(r.R), std::abs(r.InnerR)));
}

void RenderSolidSg(Canvas& canvas, const TJwwEntSolidArc& r) {
  RenderSolidSo(canvas, r);
}

void RenderLine(Canvas& canvas, const TJwwEntLine& r) {
  const double d = PreviewDivisor(r.Head);
  const double x1 = r.X1 / d;
  const double y1 = r.Y1 / d;
  const double x2 = r.X2 / d;
  const double y2 = r.Y2 / d;
  if (BoxOutsideView(x1, y1, x2, y2)) return;
  SetEntityPen(canvas, FlatLayer(r.Head), r.Head.Color, r.Head.LineType);
  WorldLine(canvas, x1, y1, x2, y2);
}

void RenderCircle(Canvas& canvas, const TJwwEntCircle& r) {
  const double d = PreviewDivisor(r.Head);
  if (EllipseOutsideView(r.CX / d, r.CY / d, r.R / d, 1.0)) return;
  SetEntityPen(canvas, FlatLayer(r.Head), r.Head.Color, r.Head.LineType);
  WorldEllipse(canvas, r.CX / d, r.CY / d, r.R / d, 1.0, 0.0);
}

void RenderArc(Canvas& canvas, const TJwwEntArc& r) {
  const double d = PreviewDivisor(r.Head);
  const double cx = r.CX / d;
  const double cy = r.CY / d;
  const double radius = r.R / d;
  if (EllipseOutsideView(cx, cy, radius, r.Flatness)) return;
  SetEntityPen(canvas, FlatLayer(r.Head), r.Head.Color, r.Head.LineType);
  const double start = WrapDegrees(r.StartAngle);
  const double sweep = WrapDegrees(r.EndAngle - r.StartAngle);
  const double tilt = r.Tilt * kDegToRad;
  if (std::abs(sweep) <= 1e-8) {
    WorldEllipse(canvas, cx, cy, radius, r.Flatness, tilt);
  } else {
    WorldArc(canvas, cx, cy, radius, r.Flatness, tilt, start * kDegToRad, sweep * kDegToRad);
  }
}

void RenderDim(Canvas& canvas, const TJwwEntDim& r) {
  const bool showAux = GraAttribute().GetShowAux();
  if (showAux || !LineAux(r.Line.Head)) RenderLine(canvas, r.Line);
  if (showAux || !ColorAux(r.Text.Head)) RenderText(canvas, r.Text);
}
