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
// - KindFitted/0..2: the lines, the circles and arcs, or the four-cornered
//   solids alone in the fitted view, drawn as the redraw draws them.
// And a sheet of 100 000 texts alone (Japanese and Latin, horizontal,
// vertical and turned):
// - TextRenderFitted and TextRenderZoomed/100: the fitted redraw and one
//   zoomed in to a hundredth of the extents about the sheet's centre;
// - TextQPainterBaseline: QPainter alone drawing the glyphs the fitted
//   redraw output, each in its font, colour and place, fonts made once.
// And a sheet of 100 000 text variables alone, placed as the texts are
// (the era date most of all):
// - VariableTextRenderFitted: the fitted redraw;
// - NotchFitted/1: a wheel notch from the fitted view (zoomed in by two
//   about the centre), beside NotchFitted/0, the same notch on the million
//   entities, whose budget it is to keep.
#include <benchmark/benchmark.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <span>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "render/renderer.h"
#include "support/drawing_generator.h"
#include "text/facenames.h"
#include "ui/qt/qtcanvas.h"

namespace {

constexpr size_t kEntities = 1'000'000;
constexpr size_t kTexts = 100'000;
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

enum class TSheet { None, Mix, Texts, Variables };

std::string SheetBytes(TSheet sheet) {
  switch (sheet) {
    case TSheet::Mix:
      return GenerateHostDrawing(kEntities);
    case TSheet::Variables:
      return GenerateVariableTextDrawing(kTexts);
    default:
      return GenerateTextDrawing(kTexts);
  }
}

// The store holds one drawing at a time; a benchmark of another reloads.
void LoadSheet(TSheet sheet) {
  static TSheet loaded = TSheet::None;
  if (loaded == sheet) return;
  InitStore();
  LoadJwcTempFromBytes(SheetBytes(sheet));
  CreateGraAttribute();
  loaded = sheet;
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

// The Qt colour of a 0x00BBGGRR colour, opaque.
QColor QtColor(TColor c) {
  return QColor::fromRgb(0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu));
}

// The Qt fill pattern of a brush style; hatch gaps stay transparent.
Qt::BrushStyle QtBrushStyle(BrushStyle style) {
  switch (style) {
    case BrushStyle::Solid:
      return Qt::SolidPattern;
    case BrushStyle::Horizontal:
      return Qt::HorPattern;
    case BrushStyle::Vertical:
      return Qt::VerPattern;
    case BrushStyle::FDiagonal:
      return Qt::FDiagPattern;
    case BrushStyle::BDiagonal:
      return Qt::BDiagPattern;
    case BrushStyle::Cross:
      return Qt::CrossPattern;
    case BrushStyle::DiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::NoBrush;
  }
}

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

// The fitted view zoomed by the factor about the point at the fraction of
// the view along both axes.
void ZoomFitted(double zoom, double at) {
  FitViewToExtents(kWidth, kHeight);
  if (zoom == 1.0) return;
  const double cx = Gval.ViewMinX + at * (Gval.ViewMaxX - Gval.ViewMinX);
  const double cy = Gval.ViewMinY + at * (Gval.ViewMaxY - Gval.ViewMinY);
  Gval.ViewScale *= zoom;
  Gval.ViewMinX = cx - kWidth / 2.0 / Gval.ViewScale;
  Gval.ViewMaxX = cx + kWidth / 2.0 / Gval.ViewScale;
  Gval.ViewMinY = cy - kHeight / 2.0 / Gval.ViewScale;
  Gval.ViewMaxY = cy + kHeight / 2.0 / Gval.ViewScale;
}

// Redraws of the sheet in the zoomed view, one per iteration.
void RedrawLoop(benchmark::State& state, TSheet sheet, double zoom, double at) {
  LoadSheet(sheet);
  ZoomFitted(zoom, at);
  QtCanvas canvas(kWidth, kHeight);
  Redraw(canvas);  // fonts and glyphs made once, as in the window's first redraw
  for (auto _ : state) Redraw(canvas);
  CountEntities(state);
}

void BM_RenderFitted(benchmark::State& state) {
  RedrawLoop(state, TSheet::Mix, 1.0, 0.5);
}
BENCHMARK(BM_RenderFitted)->Unit(benchmark::kMillisecond);

void BM_QPainterBaseline(benchmark::State& state) {
  LoadSheet(TSheet::Mix);
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
  RedrawLoop(state, TSheet::Mix, static_cast<double>(state.range(0)),
             static_cast<double>(state.range(1)) / 100.0);
}
BENCHMARK(BM_RenderZoomed)
    ->Args({100, 25})
    ->Args({100, 50})
    ->Args({10, 25})
    ->Unit(benchmark::kMillisecond);

// What the window's thread draws before the texts, kind by kind.
template <class T, class Draw>
void DrawAll(QtCanvas& canvas, const TGrowArray<T>& records, Draw draw) {
  for (const T& r : records) draw(canvas, r);
}

void BM_KindFitted(benchmark::State& state) {
  LoadSheet(TSheet::Mix);
  FitViewToExtents(kWidth, kHeight);
  QtCanvas canvas(kWidth, kHeight);
  for (auto _ : state) {
    ClearView(canvas, kWidth, kHeight);
    switch (state.range(0)) {
      case 0:
        DrawAll(canvas, JwwStore.Lines, RenderLine);
        break;
      case 1:
        DrawAll(canvas, JwwStore.Circles, RenderCircle);
        DrawAll(canvas, JwwStore.Arcs, RenderArc);
        break;
      default:
        DrawAll(canvas, JwwStore.Solids4, RenderSolid4);
        break;
    }
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_KindFitted)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_TextRenderFitted(benchmark::State& state) {
  RedrawLoop(state, TSheet::Texts, 1.0, 0.5);
}
BENCHMARK(BM_TextRenderFitted)->Unit(benchmark::kMillisecond);

void BM_TextRenderZoomed(benchmark::State& state) {
  RedrawLoop(state, TSheet::Texts, static_cast<double>(state.range(0)), 0.5);
}
BENCHMARK(BM_TextRenderZoomed)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_VariableTextRenderFitted(benchmark::State& state) {
  RedrawLoop(state, TSheet::Variables, 1.0, 0.5);
}
BENCHMARK(BM_VariableTextRenderFitted)->Unit(benchmark::kMillisecond);

// The million entities (0) or the sheet of variables (1), a notch in.
void BM_NotchFitted(benchmark::State& state) {
  RedrawLoop(state, state.range(0) == 0 ? TSheet::Mix : TSheet::Variables, 2.0, 0.5);
}
BENCHMARK(BM_NotchFitted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One glyph as QPainter alone draws it: the font made once per distinct
// record, the text converted once.
struct TGlyphCall {
  int Font;
  QColor Color;
  QPointF At;
  QString Text;
};

struct TGlyphFont {
  QFont Font;
  double Rotation;
  double Ascent;
};

class GlyphCapture : public CapturingCanvas {
 public:
  std::vector<TGlyphFont> Fonts;
  std::vector<TGlyphCall> Glyphs;

  void SetFont(const LogFont& font) override {
    if (font == last_ && !Fonts.empty()) return;
    last_ = font;
    std::string face = FaceNameOf(font.FaceName);
    if (face.starts_with('@')) face.erase(0, 1);
    QFont q(QString::fromUtf8(SubstituteFace(face)));
    q.setPixelSize(std::max(1, font.Height));
    Fonts.push_back({q, -font.Escapement / 10.0, QFontMetricsF(q).ascent()});
  }
  void SetTextColor(TColor color) override { color_ = QtColor(color); }
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override {
    Glyphs.push_back({static_cast<int>(Fonts.size()) - 1, color_, QPointF(x, y),
                      QString::fromUtf8(Utf8FromSjis(glyph))});
  }

 private:
  LogFont last_;
  QColor color_;
};

void BM_TextQPainterBaseline(benchmark::State& state) {
  LoadSheet(TSheet::Texts);
  FitViewToExtents(kWidth, kHeight);
  GlyphCapture capture;
  RenderStore(capture);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter p(&image);
    int font = -1;
    for (const TGlyphCall& g : capture.Glyphs) {
      const TGlyphFont& f = capture.Fonts[g.Font];
      if (g.Font != font) {
        p.setFont(f.Font);
        font = g.Font;
      }
      p.setPen(g.Color);
      p.setTransform(QTransform::fromTranslate(g.At.x(), g.At.y()).rotate(f.Rotation));
      p.drawText(QPointF(0, f.Ascent), g.Text);
    }
    p.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["glyphs"] = static_cast<double>(capture.Glyphs.size());
}
BENCHMARK(BM_TextQPainterBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

// Glyphs need the font database, which needs an application.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
