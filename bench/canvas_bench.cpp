// The cost of the preview's line drawing on a 1600 x 1000 canvas:
// - QtCanvasScreenLines: ScreenLine (move, line, end pixel) through the
//   Canvas seam on a QtCanvas, one-pixel pen, solid or dotted;
// - QPainterLines: QPainter alone drawing the same lines with a cosmetic
//   pen on an image of the same format, the baseline;
// - QtCanvasWorldLines: WorldLine, so clipping and mapping included, with
//   the entity pen set before every line as the renderer does.
// The argument is the typical line length in pixels: short chords of a
// fitted drawing, or lines across much of the canvas.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "preview/draw.h"
#include "preview/gval.h"
#include "ui/qt/qtcanvas.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
constexpr int kLines = 100'000;

struct Segment {
  int x1, y1, x2, y2;
};

// Lines of about the given length, spread over the canvas, some leaving it.
std::vector<Segment> MakeSegments(int length) {
  std::vector<Segment> out;
  out.reserve(kLines);
  uint32_t seed = 7;
  auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
  };
  for (int i = 0; i < kLines; ++i) {
    int x = next(kWidth);
    int y = next(kHeight);
    out.push_back({x, y, x + next(2 * length + 1) - length, y + next(2 * length + 1) - length});
  }
  return out;
}

void QtCanvasScreenLines(benchmark::State& state) {
  std::vector<Segment> segments = MakeSegments(static_cast<int>(state.range(0)));
  QtCanvas canvas(kWidth, kHeight);
  const PenStyle style = state.range(1) != 0 ? PenStyle::Dot : PenStyle::Solid;
  canvas.SetPen({RGB(0, 0, 0), 0, style, PenMix::Copy});
  for (auto _ : state) {
    for (const Segment& s : segments) ScreenLine(canvas, s.x1, s.y1, s.x2, s.y2);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(QtCanvasScreenLines)
    ->ArgsProduct({{10, 400}, {0, 1}})
    ->ArgNames({"length", "dotted"})
    ->Unit(benchmark::kMillisecond);

void QPainterLines(benchmark::State& state) {
  std::vector<Segment> segments = MakeSegments(static_cast<int>(state.range(0)));
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    for (const Segment& s : segments) painter.drawLine(s.x1, s.y1, s.x2, s.y2);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(QPainterLines)->Arg(10)->Arg(400)->Unit(benchmark::kMillisecond);

void QtCanvasWorldLines(benchmark::State& state) {
  std::vector<Segment> segments = MakeSegments(static_cast<int>(state.range(0)));
  CreateGraAttribute();
  Gval.ViewMinX = 0.0;
  Gval.ViewMinY = 0.0;
  Gval.ViewScale = 1.0;
  Gval.ViewWidth = kWidth;
  Gval.ViewHeight = kHeight;
  Gval.ViewMaxX = kWidth;
  Gval.ViewMaxY = kHeight;
  QtCanvas canvas(kWidth, kHeight);
  for (auto _ : state) {
    for (const Segment& s : segments) {
      SetEntityPen(canvas, 0, 2, 1);
      WorldLine(canvas, s.x1, s.y1, s.x2, s.y2);
    }
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(QtCanvasWorldLines)->Arg(10)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
