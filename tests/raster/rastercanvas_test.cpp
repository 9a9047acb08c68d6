// The raster canvas's pixels, with box glyphs, against the GDI rules the
// core relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/sjis.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "tests/raster/boxglyphs.h"
#include "tests/raster/canvaspixels.h"

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kCyan = RGB(0, 255, 255);

class RasterCanvasTest : public ::testing::Test {
 protected:
  RasterCanvasTest() : canvas(40, 30) {}

  TColor At(int x, int y) { return PixelAt(canvas, x, y); }

  // The pixels of one row from x0 to x1 as '#' (not white) and '.' (white).
  std::string Row(int y, int x0, int x1) {
    std::string out;
    for (int x = x0; x <= x1; ++x) out += At(x, y) == kWhite ? '.' : '#';
    return out;
  }

  int Count(TColor color) {
    int n = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
      for (int x = 0; x < canvas.Width(); ++x) n += At(x, y) == color;
    }
    return n;
  }

  void UsePen(TColor color, int width = 1, PenStyle style = PenStyle::Solid,
              PenMix mix = PenMix::Copy) {
    canvas.SetPen({color, width, style, mix});
  }

  BoxCanvas canvas;
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
    BoxCanvas joined(40, 30);
    BoxCanvas single(40, 30);
    for (BoxCanvas* c : {&joined, &single}) {
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
    EXPECT_EQ(PixelsOf(joined), PixelsOf(single)) << "pen style " << static_cast<int>(pen.Style);
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
    BoxCanvas layered(40, 4);
    BoxCanvas inPlace(40, 4);
    for (BoxCanvas* c : {&layered, &inPlace}) {
      c->SetPen(dotted);
      c->MoveTo(0, 0);
      c->LineTo(4, 0);  // the pattern stands mid-dot
    }
    ASSERT_TRUE(DrawOnLayer(layered, [&pens](Canvas& layer) {
      for (const Pen& p : pens) layer.SetPen(p);
    }));
    for (const Pen& p : pens) inPlace.SetPen(p);
    for (BoxCanvas* c : {&layered, &inPlace}) {
      c->SetPen(dotted);
      c->MoveTo(0, 2);
      c->LineTo(30, 2);
    }
    EXPECT_EQ(PixelsOf(layered), PixelsOf(inPlace)) << pens.size() << " pens";
  }
}

// A layer stacks beneath: glyphs drawn on it last to first come out as
// drawn first to last in place, within the blends' rounding, whether they
// are filled straight (too big to keep), their coverage is laid, or a brush
// fills their cells; ink laid beneath ink stays opaque.
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
  BoxCanvas inPlace(160, 160);
  for (const Glyph& g : glyphs) draw(inPlace, g);
  BoxCanvas layered(160, 160);
  ASSERT_TRUE(DrawOnLayer(layered, [&](Canvas& layer) {
    for (auto g = std::rbegin(glyphs); g != std::rend(glyphs); ++g) draw(layer, *g);
  }));
  // Each of the three glyphs stacked over one another rounds once more
  // beneath than over.
  EXPECT_LE(MostChannelDifference(inPlace, layered), 4);
  int inked = 0;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 160; ++x) inked += PixelAt(inPlace, x, y) != kWhite;
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
  const std::vector<uint32_t> before = PixelsOf(canvas);

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
  EXPECT_NE(PixelsOf(canvas), before);
  drawBand();
  EXPECT_EQ(PixelsOf(canvas), before);
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
  BoxCanvas whole(40 + 2 * kShift, 30 + 2 * kShift);
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
  EXPECT_EQ(PixelsOf(canvas), PixelsOf(whole, kShift, kShift, 40, 30));
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
    BoxCanvas after(40, 30);
    BoxCanvas alone(40, 30);
    after.SetFont(base);
    after.TextOut(0, 0, Sjis("字"));
    after.Rectangle(-1, -1, 41, 31);
    for (BoxCanvas* c : {&after, &alone}) {
      c->SetFont(font);
      c->TextOut(8, 6, Sjis("字"));
    }
    EXPECT_EQ(PixelsOf(after), PixelsOf(alone))
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
  EXPECT_EQ(canvas.Width(), 40);
  EXPECT_EQ(canvas.Height(), 30);
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
      BoxCanvas canvas(size, size);
      canvas.SetTextColor(kBlack);
      canvas.SetFont(font);
      canvas.TextOut(x, y, Sjis("田"));
      int ink = 0;
      for (int dy = -250; dy < 250; ++dy) {
        for (int dx = -250; dx < 250; ++dx) ink += PixelAt(canvas, x + dx, y + dy) == kBlack;
      }
      return std::pair(PixelsOf(canvas, x - 250, y - 250, 500, 500), ink);
    };
    const auto near = draw(520, 260, 260);
    EXPECT_TRUE(near.first == draw(900, 577, 391).first);
    EXPECT_GT(near.second, 5000);
  }
}

}  // namespace
