// Redrawing the preview of a generated host drawing of one million entities
// into a 1600 x 1000 Qt canvas:
// - RenderFitted: the whole drawing fitted, as after start-up;
// - QPainterBaseline: QPainter alone drawing the same screen calls the
//   fitted redraw made (captured once), on an image of the same format, so
//   the difference is what the renderer costs above the painting itself;
// - RenderZoomed/100/25: a view one hundredth of the fitted one wide and
//   high, about the point a quarter of the way across, where almost every
//   entity lies outside; /100/50 the same about the centre; /10/25 zooms by
//   ten.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <span>
#include <string>
#include <vector>

#include "exchange/reader.h"
#include "exchange/store.h"
#include "ui/qt/qtcanvas.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "preview/renderer.h"
#include "support/drawing_generator.h"

namespace {

constexpr size_t kEntities = 1'000'000;
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

void LoadDrawingOnce() {
  static const bool loaded = [] {
    InitStore();
    LoadJwcTempFromBytes(GenerateHostDrawing(kEntities));
    CreateGraAttribute();
    return true;
  }();
  benchmark::DoNotOptimize(loaded);
}

void Redraw(QtCanvas& canvas) {
  ClearView(canvas, kWidth, kHeight);
  RenderStore(canvas);
  benchmark::DoNotOptimize(canvas.Image().constBits());
}

// The screen calls of one redraw, kept to be replayed on QPainter alone.
struct TCall {
  enum Kind { Pen, Brush, Line, Rect, Polyline, Polygon } What;
  QPen PenValue;
  QBrush BrushValue;
  QPolygon Points;
};

Qt::PenStyle QtPenStyle(PenStyle s) {
  switch (s) {
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::DashDot:
      return Qt::DashDotLine;
    case PenStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case PenStyle::Null:
      return Qt::NoPen;
    case PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

// Keeps what reaches the screen: a pen or brush only when it changes, each
// move-to/line-to as one segment, rectangles, polylines and polygons. The
// end pixels the renderer sets are left out: QPainter's lines include them.
class CapturingCanvas : public Canvas {
 public:
  std::vector<TCall> Calls;

  void SetPen(const Pen& pen) override {
    if (pen == pen_ && !Calls.empty()) return;
    pen_ = pen;
    QPen q(QtColor(pen.Color), pen.Width <= 1 ? 0 : pen.Width, QtPenStyle(pen.Style));
    Calls.push_back({TCall::Pen, q, {}, {}});
  }
  Pen GetPen() const override { return pen_; }
  void SetBrush(const Brush& brush) override {
    if (brush == brush_) return;
    brush_ = brush;
    Calls.push_back(
        {TCall::Brush, {}, QBrush(QtColor(brush.Color), QtBrushStyle(brush.Style)), {}});
  }
  Brush GetBrush() const override { return brush_; }
  void MoveTo(int32_t x, int32_t y) override { at_ = QPoint(x, y); }
  void LineTo(int32_t x, int32_t y) override {
    Calls.push_back({TCall::Line, {}, {}, QPolygon({at_, QPoint(x, y)})});
    at_ = QPoint(x, y);
  }
  void SetPixel(int32_t, int32_t, TColor) override {}
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    Calls.push_back({TCall::Rect, {}, {}, QPolygon({QPoint(x1, y1), QPoint(x2, y2)})});
  }
  void Polyline(std::span<const ScreenPoint> points) override {
    Calls.push_back({TCall::Polyline, {}, {}, ToPolygon(points)});
  }
  void Polygon(std::span<const ScreenPoint> points) override {
    Calls.push_back({TCall::Polygon, {}, {}, ToPolygon(points)});
  }
  void SetFont(const LogFont&) override {}
  void SetTextColor(TColor) override {}
  void TextOut(int32_t, int32_t, const std::string&) override {}
  Bitmap CopyToBitmap() override { return {}; }
  void DrawBitmap(int32_t, int32_t, const Bitmap&) override {}

 private:
  static QPolygon ToPolygon(std::span<const ScreenPoint> points) {
    QPolygon p;
    p.reserve(static_cast<qsizetype>(points.size()));
    for (const ScreenPoint& s : points) p.append(QPoint(s.x, s.y));
    return p;
  }

  Pen pen_;
  Brush brush_;
  QPoint at_;
};

void Replay(QPainter& p, const std::vector<TCall>& calls) {
  for (const TCall& c : calls) {
    switch (c.What) {
      case TCall::Pen:
        p.setPen(c.PenValue);
        break;
      case TCall::Brush:
        p.setBrush(c.BrushValue);
        break;
      case TCall::Line:
        p.drawLine(c.Points[0], c.Points[1]);
        break;
      case TCall::Rect:
        p.drawRect(QRect(c.Points[0], c.Points[1]));
        break;
      case TCall::Polyline:
        p.drawPolyline(c.Points);
        break;
      case TCall::Polygon:
        p.drawPolygon(c.Points, Qt::OddEvenFill);
        break;
    }
  }
}

void CountEntities(benchmark::State& state) {
  state.counters["entities/s"] = benchmark::Counter(
      static_cast<double>(JwwStore.Order.size() * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RenderFitted(benchmark::State& state) {
  LoadDrawingOnce();
  FitViewToExtents(kWidth, kHeight);
  QtCanvas canvas(kWidth, kHeight);
  for (auto _ : state) Redraw(canvas);
  CountEntities(state);
}
BENCHMARK(BM_RenderFitted)->Unit(benchmark::kMillisecond);

void BM_QPainterBaseline(benchmark::State& state) {
  LoadDrawingOnce();
  FitViewToExtents(kWidth, kHeight);
  CapturingCanvas capture;
  ClearView(capture, kWidth, kHeight);
  RenderStore(capture);
  QtCanvas canvas(kWidth, kHeight);
  QImage image(kWidth, kHeight, canvas.Image().format());
  for (auto _ : state) {
    QPainter p(&image);
    Replay(p, capture.Calls);
    p.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["calls"] = static_cast<double>(capture.Calls.size());
}
BENCHMARK(BM_QPainterBaseline)->Unit(benchmark::kMillisecond);

// Zoomed by the first argument about the point the second gives, in per
// cent of the fitted view along both axes.
void BM_RenderZoomed(benchmark::State& state) {
  LoadDrawingOnce();
  FitViewToExtents(kWidth, kHeight);
  const double zoom = static_cast<double>(state.range(0));
  const double at = static_cast<double>(state.range(1)) / 100.0;
  const double cx = Gval.ViewMinX + at * (Gval.ViewMaxX - Gval.ViewMinX);
  const double cy = Gval.ViewMinY + at * (Gval.ViewMaxY - Gval.ViewMinY);
  Gval.ViewScale *= zoom;
  Gval.ViewMinX = cx - kWidth / 2.0 / Gval.ViewScale;
  Gval.ViewMaxX = cx + kWidth / 2.0 / Gval.ViewScale;
  Gval.ViewMinY = cy - kHeight / 2.0 / Gval.ViewScale;
  Gval.ViewMaxY = cy + kHeight / 2.0 / Gval.ViewScale;
  QtCanvas canvas(kWidth, kHeight);
  for (auto _ : state) Redraw(canvas);
  CountEntities(state);
}
BENCHMARK(BM_RenderZoomed)
    ->Args({100, 25})
    ->Args({100, 50})
    ->Args({10, 25})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
