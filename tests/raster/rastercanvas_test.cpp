// The raster canvas's pixels, with Qt's glyphs, against the GDI rules the core
// relies on.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "common/escape.h"
#include "common/sjis.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "tests/preview/channel_difference.h"
#include "ui/qt/escape_x11.h"
#include "ui/qt/qtcanvas.h"

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kCyan = RGB(0, 255, 255);

class RasterCanvasTest : public ::testing::Test {
 protected:
  RasterCanvasTest() : canvas(40, 30) {}

  TColor At(int x, int y) {
    QRgb p = canvas.Image().pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  }

  // The pixels of one row from x0 to x1 as '#' (not white) and '.' (white).
  std::string Row(int y, int x0, int x1) {
    std::string out;
    for (int x = x0; x <= x1; ++x) out += At(x, y) == kWhite ? '.' : '#';
    return out;
  }

  int Count(TColor color) {
    int n = 0;
    for (int y = 0; y < canvas.Image().height(); ++y) {
      for (int x = 0; x < canvas.Image().width(); ++x) n += At(x, y) == color;
    }
    return n;
  }

  void UsePen(TColor color, int width = 1, PenStyle style = PenStyle::Solid,
              PenMix mix = PenMix::Copy) {
    canvas.SetPen({color, width, style, mix});
  }

  QtCanvas canvas;
};

TEST_F(RasterCanvasTest, LineToLeavesOutItsLastPixelInEveryDirection) {
  UsePen(kBlack);
  canvas.MoveTo(2, 2);
  canvas.LineTo(10, 2);
  canvas.MoveTo(10, 5);
  canvas.LineTo(2, 5);
  canvas.MoveTo(20, 20);
  canvas.LineTo(20, 20);
  EXPECT_EQ(Row(2, 1, 11), ".########..");
  EXPECT_EQ(Row(5, 1, 11), "..########.");
  EXPECT_EQ(At(20, 20), kWhite) << "a line of no length draws nothing";

  canvas.MoveTo(30, 10);
  canvas.LineTo(25, 5);
  EXPECT_EQ(At(30, 10), kBlack);
  EXPECT_EQ(At(26, 6), kBlack);
  EXPECT_EQ(At(25, 5), kWhite);
}

TEST_F(RasterCanvasTest, ScreenLineSetsTheEndPixelToo) {
  UsePen(kBlue);
  ScreenLine(canvas, 3, 4, 12, 4);
  EXPECT_EQ(At(12, 4), kBlue);
  EXPECT_EQ(At(13, 4), kWhite);
  EXPECT_EQ(Count(kBlue), 10);
}

// A run of lines in one call draws what MoveTo, LineTo and the end pixel
// draw line by line, with
// every pen: dashes carried on, xor, no pen, a wide pen, lines of no length
// and points off the canvas.
TEST(RasterCanvasRuns, ScreenLinesDrawWhatLineByLineDraws) {
  const std::vector<ScreenPoint> run = {{3, 3},   {3, 3},  {20, 7}, {21, 7},  {21, 25},
                                        {-9, 40}, {5, 12}, {5, 12}, {38, 28}, {60, -4}};
  const Pen pens[] = {{kRed, 1, PenStyle::Solid, PenMix::Copy},
                      {kBlue, 0, PenStyle::Dot, PenMix::Copy},
                      {kCyan, 1, PenStyle::DashDot, PenMix::Xor},
                      {kRed, 1, PenStyle::Null, PenMix::Copy},
                      {kBlue, 3, PenStyle::Solid, PenMix::Copy}};
  for (const Pen& pen : pens) {
    QtCanvas joined(40, 30);
    QtCanvas single(40, 30);
    for (QtCanvas* c : {&joined, &single}) {
      c->SetBrush({kWhite, BrushStyle::Solid});
      c->Rectangle(-1, -1, 41, 31);
      c->SetPen(pen);
    }
    joined.ScreenLines(run);
    joined.LineTo(0, 0);  // the run leaves the position, and the dash, at its end
    for (size_t i = 1; i < run.size(); ++i) {
      single.MoveTo(run[i - 1].x, run[i - 1].y);
      single.LineTo(run[i].x, run[i].y);
      single.SetPixel(run[i].x, run[i].y, pen.Color);
    }
    single.LineTo(0, 0);
    EXPECT_EQ(joined.Image(), single.Image()) << "pen style " << static_cast<int>(pen.Style);
  }
}

TEST_F(RasterCanvasTest, RectangleLeavesOutRightAndBottomEdge) {
  UsePen(kBlack);
  canvas.SetBrush({kRed, BrushStyle::Solid});
  canvas.Rectangle(2, 2, 8, 6);
  EXPECT_EQ(Row(1, 1, 9), ".........");
  EXPECT_EQ(Row(2, 1, 9), ".######..");
  EXPECT_EQ(Row(5, 1, 9), ".######..");
  EXPECT_EQ(Row(6, 1, 9), ".........");
  EXPECT_EQ(At(2, 3), kBlack);
  EXPECT_EQ(At(7, 3), kBlack);
  EXPECT_EQ(At(3, 3), kRed);
  EXPECT_EQ(At(6, 4), kRed);
  EXPECT_EQ(Count(kRed), 4 * 2);
}

TEST_F(RasterCanvasTest, PolygonFillsAlternate) {
  // A pentagram: its centre is crossed twice and stays unfilled.
  const ScreenPoint star[] = {{20, 2}, {27, 26}, {8, 11}, {32, 11}, {13, 26}};
  canvas.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
  canvas.SetBrush({kRed, BrushStyle::Solid});
  canvas.Polygon(star);
  EXPECT_EQ(At(20, 15), kWhite);
  EXPECT_EQ(At(20, 6), kRed);
  EXPECT_EQ(At(11, 12), kRed);
}

// Draws on a layer of the canvas, as a redraw's texts' thread does, and
// lays it over the canvas.
bool DrawOnLayer(Canvas& canvas, const std::function<void(Canvas&)>& draw) {
  const std::unique_ptr<Canvas> layer = canvas.MakeLayerMaker()();
  draw(*layer);
  return canvas.LayOver(*layer);
}

// A layer made ready for another drawing keeps nothing of the last one.
TEST_F(RasterCanvasTest, ALayerBlankedKeepsNothingOfItsLastDrawing) {
  const std::unique_ptr<Canvas> layer = canvas.MakeLayerMaker()();
  layer->SetPixel(1, 1, kRed);
  layer->BlankLayer();
  layer->SetPixel(2, 2, kBlue);
  ASSERT_TRUE(canvas.LayOver(*layer));
  EXPECT_EQ(At(1, 1), kWhite);
  EXPECT_EQ(At(2, 2), kBlue);
  EXPECT_EQ(Count(kWhite), 40 * 30 - 1);
}

// The pens a layer's drawing set leave a dotted line after the merge as the
// same pens set here would have left it.
TEST(RasterCanvasLayer, TheDashPatternGoesOnAsIfTheLayersPensWereSetHere) {
  const Pen dotted{kBlack, 1, PenStyle::Dot, PenMix::Copy};
  const Pen other{kRed, 1, PenStyle::Solid, PenMix::Copy};
  const std::vector<std::vector<Pen>> cases = {{}, {dotted}, {other, dotted}, {other}};
  for (const std::vector<Pen>& pens : cases) {
    QtCanvas layered(40, 4);
    QtCanvas inPlace(40, 4);
    for (QtCanvas* c : {&layered, &inPlace}) {
      c->SetPen(dotted);
      c->MoveTo(0, 0);
      c->LineTo(4, 0);  // the pattern stands mid-dot
    }
    ASSERT_TRUE(DrawOnLayer(layered, [&pens](Canvas& layer) {
      for (const Pen& p : pens) layer.SetPen(p);
    }));
    for (const Pen& p : pens) inPlace.SetPen(p);
    for (QtCanvas* c : {&layered, &inPlace}) {
      c->SetPen(dotted);
      c->MoveTo(0, 2);
      c->LineTo(30, 2);
    }
    EXPECT_EQ(layered.Image(), inPlace.Image()) << pens.size() << " pens";
  }
}

// A layer stacks beneath: glyphs drawn on it last to first come out as
// drawn first to last in place, within the blends' rounding, whether the
// font engine draws them straight (too big to keep), their coverage is
// laid, or a brush fills their cells; ink laid beneath ink stays opaque.
TEST(RasterCanvasLayer, GlyphsDrawnLastToFirstStackAsDrawnInPlace) {
  struct Glyph {
    int32_t Height, Escapement;
    TColor Color;
    BrushStyle Cell;
    int32_t X, Y;
    const char* Text;
  };
  const Glyph glyphs[] = {
      {120, 0, RGB(0, 128, 0), BrushStyle::Hollow, 0, 0, "田"},
      {40, 0, kRed, BrushStyle::Hollow, 30, 30, "W"},
      {40, 300, kBlue, BrushStyle::Hollow, 40, 35, "あ"},
      {30, 0, kBlack, BrushStyle::Solid, 60, 50, "M"},
      {120, 900, RGB(200, 0, 200), BrushStyle::Hollow, 20, 150, "O"},
      // Overprinted, as a control code puts one character over another.
      {16, 0, kBlack, BrushStyle::Hollow, 100, 110, "字"},
      {16, 0, kBlack, BrushStyle::Hollow, 100, 110, "口"},
  };
  const auto draw = [](Canvas& c, const Glyph& g) {
    LogFont font;
    font.Height = g.Height;
    font.Escapement = g.Escapement;
    font.FaceName = Sjis("ＭＳ ゴシック");
    c.SetFont(font);
    c.SetTextColor(g.Color);
    c.SetBrush({RGB(255, 255, 0), g.Cell});
    c.TextOut(g.X, g.Y, Sjis(g.Text));
  };
  QtCanvas inPlace(160, 160);
  for (const Glyph& g : glyphs) draw(inPlace, g);
  QtCanvas layered(160, 160);
  ASSERT_TRUE(DrawOnLayer(layered, [&](Canvas& layer) {
    for (auto g = std::rbegin(glyphs); g != std::rend(glyphs); ++g) draw(layer, *g);
  }));
  // Each of the three glyphs stacked over one another rounds once more
  // beneath than over.
  EXPECT_LE(MostChannelDifference(inPlace.Image(), layered.Image()), 4);
  int inked = 0;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 160; ++x) inked += inPlace.Image().pixel(x, y) != qRgb(255, 255, 255);
  }
  EXPECT_GT(inked, 2000);
}

TEST_F(RasterCanvasTest, PolylineLeavesOutItsLastPoint) {
  UsePen(kBlack);
  const ScreenPoint points[] = {{2, 2}, {10, 2}, {10, 8}};
  canvas.Polyline(points);
  EXPECT_EQ(At(10, 2), kBlack);
  EXPECT_EQ(At(10, 7), kBlack);
  EXPECT_EQ(At(10, 8), kWhite);
}

TEST_F(RasterCanvasTest, XorTogglesEveryPixelOnceAndTwiceRestores) {
  UsePen(kBlue);
  canvas.SetBrush({kRed, BrushStyle::Solid});
  canvas.Rectangle(4, 4, 30, 20);
  QImage before = canvas.Image().copy();

  auto drawBand = [&] {
    UsePen(kCyan, 1, PenStyle::Solid, PenMix::Xor);
    canvas.SetBrush({kBlue, BrushStyle::Hollow});
    canvas.Rectangle(1, 1, 25, 25);
    const ScreenPoint ring[] = {{2, 10}, {35, 12}, {20, 28}};
    canvas.Polygon(ring);
    UsePen(kCyan, 3, PenStyle::Solid, PenMix::Xor);
    canvas.Rectangle(6, 6, 38, 28);
    canvas.SetBrush({kBlue, BrushStyle::DiagCross});
    canvas.Rectangle(10, 8, 20, 18);
  };
  drawBand();
  EXPECT_NE(canvas.Image(), before);
  drawBand();
  EXPECT_EQ(canvas.Image(), before);
}

TEST_F(RasterCanvasTest, XorOutlineTogglesItsCornersOnce) {
  UsePen(kCyan, 1, PenStyle::Solid, PenMix::Xor);
  canvas.SetBrush({kBlue, BrushStyle::Hollow});
  canvas.Rectangle(1, 1, 25, 21);
  const ScreenPoint ring[] = {{28, 2}, {38, 2}, {38, 12}};
  canvas.Polygon(ring);
  // White under cyan xor becomes red; a pixel toggled twice would be white.
  EXPECT_EQ(Count(kRed), 2 * 24 + 2 * 20 - 4 + 10 + 10 + 10);
  EXPECT_EQ(At(1, 1), kRed);
  EXPECT_EQ(At(24, 20), kRed);
  EXPECT_EQ(At(38, 2), kRed);
}

TEST_F(RasterCanvasTest, SetPixelIgnoresTheXorMix) {
  UsePen(kCyan, 1, PenStyle::Solid, PenMix::Xor);
  canvas.SetPixel(5, 5, kCyan);
  canvas.SetPixel(5, 5, kCyan);
  canvas.SetPixel(-1, 500, kCyan);
  EXPECT_EQ(At(5, 5), kCyan);
}

TEST_F(RasterCanvasTest, HatchGapsKeepWhatWasBeneath) {
  canvas.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
  canvas.SetBrush({kRed, BrushStyle::Solid});
  canvas.Rectangle(0, 0, 40, 30);
  const int under = Count(kRed);
  for (BrushStyle hatch : {BrushStyle::Horizontal, BrushStyle::Vertical, BrushStyle::FDiagonal,
                           BrushStyle::BDiagonal, BrushStyle::Cross, BrushStyle::DiagCross}) {
    canvas.SetBrush({kBlue, hatch});
    canvas.Rectangle(0, 0, 40, 30);
    EXPECT_GT(Count(kBlue), 0) << static_cast<int>(hatch);
    EXPECT_GT(Count(kRed), 0) << static_cast<int>(hatch);
    EXPECT_EQ(Count(kBlue) + Count(kRed), under) << static_cast<int>(hatch);
  }
}

TEST_F(RasterCanvasTest, HatchDirectionsAreThoseOfTheirNames) {
  canvas.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
  canvas.SetBrush({kBlack, BrushStyle::FDiagonal});
  canvas.Rectangle(0, 0, 20, 20);
  // Downwards from left to right: the pixel below-right of an inked one is inked.
  int x = 0;
  while (At(x, 4) != kBlack) ++x;
  EXPECT_EQ(At(x + 1, 5), kBlack);
  canvas.SetBrush({kWhite, BrushStyle::Solid});
  canvas.Rectangle(0, 0, 20, 20);
  canvas.SetBrush({kBlack, BrushStyle::BDiagonal});
  canvas.Rectangle(0, 0, 20, 20);
  x = 0;
  while (At(x, 4) != kBlack) ++x;
  EXPECT_EQ(At(x + 1, 3), kBlack);
}

// As GDI draws: each line begins the pattern afresh, a polyline carries it
// on from line to line.
TEST_F(RasterCanvasTest, DottedPenLeavesGapsAndBeginsItsPatternWithEachLine) {
  UsePen(kBlack, 0, PenStyle::Dot);
  canvas.MoveTo(0, 3);
  canvas.LineTo(8, 3);
  canvas.LineTo(16, 3);
  EXPECT_EQ(Row(3, 0, 15), "###...#####...##");
  const ScreenPoint run[] = {{0, 5}, {8, 5}, {16, 5}};
  canvas.Polyline(run);
  EXPECT_EQ(Row(5, 0, 15), "###...###...###.");
}

TEST_F(RasterCanvasTest, WidePenIsSolidWhateverItsStyle) {
  UsePen(kBlack, 3, PenStyle::Dot);
  canvas.MoveTo(5, 10);
  canvas.LineTo(35, 10);
  EXPECT_EQ(Row(10, 6, 34), std::string(29, '#'));
  EXPECT_EQ(At(20, 9), kBlack);
  EXPECT_EQ(At(20, 11), kBlack);
}

TEST_F(RasterCanvasTest, CoordinatesFarOffTheCanvasDrawOnlyTheVisiblePart) {
  UsePen(kBlack);
  canvas.MoveTo(-2000000000, 7);
  canvas.LineTo(2000000000, 7);
  EXPECT_EQ(Row(7, 0, 39), std::string(40, '#'));
  canvas.MoveTo(-2000000000, -2000000000);
  canvas.LineTo(2000000000, 2000000000);
  EXPECT_EQ(At(15, 15), kBlack);
  canvas.SetBrush({kRed, BrushStyle::Solid});
  const ScreenPoint huge[] = {
      {-kScreenLimit, -kScreenLimit}, {kScreenLimit, -kScreenLimit}, {kScreenLimit, kScreenLimit}};
  canvas.Polygon(huge);
  EXPECT_EQ(At(30, 2), kRed);
  EXPECT_EQ(At(2, 30 - 1), kWhite);
  canvas.SetBrush({kBlue, BrushStyle::Solid});
  canvas.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_EQ(Count(kBlue), 40 * 30);
}

TEST_F(RasterCanvasTest, LinesCutAtTheEdgeKeepThePixelsOfTheWholeLine) {
  // The same lines on a canvas large enough to hold them whole, shifted,
  // must give the same pixels where the two canvases overlap.
  constexpr int kShift = 100;
  QtCanvas whole(40 + 2 * kShift, 30 + 2 * kShift);
  whole.SetPen({kBlack, 1, PenStyle::DashDot, PenMix::Xor});
  UsePen(kBlack, 1, PenStyle::DashDot, PenMix::Xor);
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int32_t>((seed >> 8) % 240) - 100;
  };
  for (int i = 0; i < 300; ++i) {
    int32_t x1 = next(), y1 = next(), x2 = next(), y2 = next();
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    whole.MoveTo(x1 + kShift, y1 + kShift);
    whole.LineTo(x2 + kShift, y2 + kShift);
  }
  EXPECT_EQ(canvas.Image(), whole.Image().copy(kShift, kShift, 40, 30));
}

TEST_F(RasterCanvasTest, BitmapsKeepRedInTheLowByte) {
  canvas.SetPixel(1, 2, kRed);
  Bitmap copy = canvas.CopyToBitmap();
  ASSERT_EQ(copy.Width, 40);
  ASSERT_EQ(copy.Height, 30);
  EXPECT_EQ(copy.Pixels[2 * 40 + 1], 0x000000FFu);
  canvas.SetPixel(1, 2, kBlue);
  canvas.DrawBitmap(-1, 0, copy);
  EXPECT_EQ(At(0, 2), kRed) << "drawn one pixel to the left, clipped";
}

TEST_F(RasterCanvasTest, GlyphIsDrawnInTheTextColorBelowAndRightOfItsPoint) {
  LogFont font;
  font.Height = 20;
  font.FaceName = Sjis("ＭＳ ゴシック");
  canvas.SetFont(font);
  canvas.SetTextColor(kBlack);
  canvas.SetBrush({kRed, BrushStyle::Hollow});
  canvas.TextOut(10, 5, Sjis("田"));
  int inked = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (At(x, y) == kWhite) continue;
      ++inked;
      EXPECT_GE(x, 10);
      EXPECT_GE(y, 5);
      EXPECT_LT(x, 30);
      EXPECT_LT(y, 25);
    }
  }
  EXPECT_GT(inked, 20);
}

TEST_F(RasterCanvasTest, GlyphTurnsWithTheEscapement) {
  LogFont font;
  font.Height = 16;
  font.Escapement = 900;
  font.FaceName = Sjis("ＭＳ ゴシック");
  canvas.SetFont(font);
  canvas.TextOut(10, 25, Sjis("田"));
  // Turned a quarter counter-clockwise, the cell grows up and right from
  // its top-left corner, which is now its bottom-left.
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (At(x, y) == kWhite) continue;
      EXPECT_GE(x, 10);
      EXPECT_LE(y, 25);
    }
  }
  EXPECT_LT(Count(kWhite), 40 * 30);
}

TEST_F(RasterCanvasTest, FontOfNoHeightDrawsNothing) {
  LogFont font;
  font.FaceName = Sjis("ＭＳ ゴシック");
  canvas.SetFont(font);
  canvas.TextOut(10, 5, Sjis("田"));
  EXPECT_EQ(Count(kWhite), 40 * 30);
}

TEST_F(RasterCanvasTest, RepeatedGlyphDrawsTheSamePixelsWhereverItGoes) {
  LogFont font;
  font.Height = 12;
  font.FaceName = Sjis("ＭＳ 明朝");
  canvas.SetFont(font);
  canvas.TextOut(2, 2, Sjis("字"));
  canvas.SetFont(font);  // the same record again, as the next run sets it
  canvas.TextOut(22, 12, Sjis("字"));
  int inked = 0;
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(At(x + 2, y + 2), At(x + 22, y + 12)) << x << "," << y;
      inked += At(x + 2, y + 2) != kWhite ? 1 : 0;
    }
  }
  EXPECT_GT(inked, 10);
}

// The font changed by the function, which may be a captureless lambda.
LogFont Changed(LogFont font, void (*change)(LogFont&)) {
  change(font);
  return font;
}

// A font that differs from the last one in any way but its turn brings its
// own face: the glyph drawn after another font is the glyph drawn first.
TEST(RasterCanvasFaces, EachFontDrawsWithItsOwnFaceWhateverCameBefore) {
  LogFont base;
  base.Height = 14;
  base.Escapement = 300;
  base.FaceName = Sjis("ＭＳ 明朝");
  const LogFont fonts[] = {
      Changed(base, [](LogFont& f) { f.Height = 20; }),
      Changed(base, [](LogFont& f) { f.Width = 12; }),
      Changed(base, [](LogFont& f) { f.Weight = 700; }),
      Changed(base, [](LogFont& f) { f.Italic = true; }),
      Changed(base, [](LogFont& f) { f.Underline = true; }),
      Changed(base, [](LogFont& f) { f.StrikeOut = true; }),
      Changed(base, [](LogFont& f) { f.FaceName = Sjis("ＭＳ ゴシック"); }),
  };
  for (const LogFont& font : fonts) {
    QtCanvas after(40, 30);
    QtCanvas alone(40, 30);
    after.SetFont(base);
    after.TextOut(0, 0, Sjis("字"));
    after.Rectangle(-1, -1, 41, 31);
    for (QtCanvas* c : {&after, &alone}) {
      c->SetFont(font);
      c->TextOut(8, 6, Sjis("字"));
    }
    EXPECT_EQ(after.Image(), alone.Image())
        << font.Height << " " << font.Width << " " << font.Weight << " " << font.Italic;
  }
}

TEST_F(RasterCanvasTest, GlyphCellsOfAnySizeDrawWithoutHarm) {
  const int32_t heights[] = {1, 2, -3, 100000, -100000, INT32_MAX, INT32_MIN + 1};
  const int32_t widths[] = {0, 1, INT32_MAX, INT32_MIN + 1};
  for (int32_t h : heights) {
    for (int32_t w : widths) {
      LogFont font;
      font.Height = h;
      font.Width = w;
      font.Escapement = 450;
      font.FaceName = Sjis("@ＭＳ ゴシック");
      canvas.SetFont(font);
      canvas.TextOut(-5, 10, Sjis("田"));
      canvas.TextOut(30, 10, "A");
    }
  }
  EXPECT_EQ(canvas.Image().size(), QSize(40, 30));
}

// A glyph too large to keep is filled straight onto the canvas in bands of
// the canvas's own rows and columns: wherever it lands across them, turned
// or not, it draws the same pixels.
TEST(RasterCanvasGlyphs, ALargeGlyphDrawsTheSameWhereverItCrossesTheBands) {
  LogFont font;
  font.Height = -300;
  font.FaceName = Sjis("ＭＳ ゴシック");
  for (const int32_t escapement : {0, 450, 1800}) {
    SCOPED_TRACE(escapement);
    font.Escapement = escapement;
    const auto draw = [&font](int size, int x, int y) {
      QtCanvas canvas(size, size);
      canvas.SetTextColor(kBlack);
      canvas.SetFont(font);
      canvas.TextOut(x, y, Sjis("田"));
      return canvas.Image().copy(x - 250, y - 250, 500, 500);
    };
    const QImage near = draw(520, 260, 260);
    EXPECT_TRUE(near == draw(900, 577, 391));
    int ink = 0;
    for (int y = 0; y < near.height(); ++y) {
      for (int x = 0; x < near.width(); ++x) ink += qGray(near.pixel(x, y)) < 128;
    }
    EXPECT_GT(ink, 5000);
  }
}

TEST(EscapeQuery, OffscreenInstallsNothingSoTheKeyReadsReleased) {
  SetEscapeQuery({});
  InstallEscapeQuery();
  EXPECT_FALSE(EscapePressed());
}

}  // namespace

// The ink of a picture: how dark it is in all, and where its darkness
// centres.
struct Ink {
  double Amount = 0;
  double X = 0;
  double Y = 0;
};

Ink InkOf(const QImage& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dark = 255 - qGray(image.pixel(x, y));
      ink.Amount += dark;
      ink.X += dark * x;
      ink.Y += dark * y;
    }
  }
  if (ink.Amount > 0) {
    ink.X /= ink.Amount;
    ink.Y /= ink.Amount;
  }
  return ink;
}

// A glyph at a turn between the quarter turns keeps the look the font
// engine gives it drawn straight onto the picture: much the same ink (the
// engine's hinting thins some strokes), centred in the same place, whatever
// the face's weight, slant, decoration or width.
TEST(RasterCanvasGlyphs, GlyphsAtAnyTurnMatchTheFontEngineDrawingThem) {
  constexpr int kEm = 24;
  constexpr int kSize = 80;
  LogFont gothic;
  gothic.Height = -kEm;
  gothic.FaceName = Sjis("ＭＳ ゴシック");
  const struct {
    const char* Name;
    const char* Glyph;
    int32_t Escapement;
    LogFont Font;
  } cases[] = {
      {"upright", "界", 0, gothic},
      {"vertical", "杭", 900, gothic},
      {"plain", "田", 300, gothic},
      {"latin", "A", 1234, gothic},
      {"bold", "字", 450, Changed(gothic, [](LogFont& f) { f.Weight = 700; })},
      {"italic", "R", 3300, Changed(gothic, [](LogFont& f) { f.Italic = true; })},
      {"underlined", "g", 2000, Changed(gothic, [](LogFont& f) { f.Underline = true; })},
      {"struck out", "界", 600, Changed(gothic, [](LogFont& f) { f.StrikeOut = true; })},
      {"underlined upright", "口", 0, Changed(gothic, [](LogFont& f) { f.Underline = true; })},
      {"struck out, a quarter turned", "口", 900,
       Changed(gothic, [](LogFont& f) { f.StrikeOut = true; })},
      {"narrow", "杭", 1500, Changed(gothic, [](LogFont& f) { f.Width = 6; })},
      {"wide", "W", 800, Changed(gothic, [](LogFont& f) { f.Width = 30; })},
  };
  int quarters = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    LogFont font = c.Font;
    QtCanvas canvas(kSize, kSize);
    canvas.SetTextColor(kBlack);
    // First the glyph one to three quarter turns back and off the canvas,
    // so the glyph at its own turn is that coverage turned on.
    font.Escapement = (c.Escapement + 900 * (++quarters % 3 + 1)) % 3600;
    canvas.SetFont(font);
    canvas.TextOut(-kSize, -kSize, Sjis(c.Glyph));
    font.Escapement = c.Escapement;
    canvas.SetFont(font);
    canvas.TextOut(kSize / 2, kSize / 2, Sjis(c.Glyph));

    QFont reference(QStringLiteral("IPAGothic"));
    reference.setPixelSize(kEm);
    if (font.Width != 0) reference.setStretch(200 * font.Width / kEm);
    reference.setWeight(static_cast<QFont::Weight>(font.Weight));
    reference.setItalic(font.Italic);
    reference.setUnderline(font.Underline);
    reference.setStrikeOut(font.StrikeOut);
    QImage drawn(kSize, kSize, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    painter.setFont(reference);
    painter.setPen(Qt::black);
    painter.translate(kSize / 2, kSize / 2);
    painter.rotate(-font.Escapement / 10.0);
    painter.drawText(QPointF(0, QFontMetricsF(reference).ascent()), QString::fromUtf8(c.Glyph));
    painter.end();

    const Ink got = InkOf(canvas.Image());
    const Ink want = InkOf(drawn);
    ASSERT_GT(want.Amount, 0);
    EXPECT_NEAR(got.Amount / want.Amount, 1.0, 0.15);
    EXPECT_NEAR(got.X, want.X, 0.5);
    EXPECT_NEAR(got.Y, want.Y, 0.5);
  }
}

// The box of the pixels darker than mid-grey: left, top, right, bottom.
QRect DarkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// Vertical writing turns the run downwards with an "@" face: each
// full-width glyph stands upright in the cell the run gives it (its
// advance down the run, its height across), in the face's vertical form
// where it has one, as the long-vowel mark, which stands as a vertical bar.
TEST(RasterCanvasGlyphs, AVerticalFaceKeepsTheCellAndTakesTheVerticalForms) {
  struct Case {
    const char* Glyph;
    int32_t Height, Width;
    bool Upright;  // the ink is taller than wide
  };
  const Case cases[] = {{"田", 20, 5, false}, {"田", 40, 20, false}, {"ー", 40, 20, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Glyph << " " << c.Height << "x" << c.Width);
    QtCanvas canvas(100, 100);
    LogFont font;
    font.Height = c.Height;
    font.Width = c.Width;
    font.Escapement = 2700;
    font.FaceName = Sjis("@ＭＳ ゴシック");
    canvas.SetFont(font);
    canvas.SetTextColor(kBlack);
    canvas.TextOut(60, 20, Sjis(c.Glyph));
    // Turned downwards the cell reaches its height to the left of the
    // point and its advance down from it.
    const QRect cell(60 - c.Height, 20, c.Height, 2 * c.Width);
    const QRect ink = DarkBox(canvas.Image());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(cell.adjusted(-1, -1, 1, 1).contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    if (c.Upright) {
      EXPECT_GT(ink.height(), ink.width());
    }
  }
}
