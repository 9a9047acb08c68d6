// The Canvas contract: the same calls drawn by the raster canvas and by real
// GDI on a DIB (Wine's under the tests) give the same pixels. Glyphs are
// antialiased by the one and not necessarily by the other, and hinted each
// its own way, so theirs need only agree in where the ink lies: all but a
// twentieth of the dark pixels of either have a dark pixel of the other at
// most one pixel away, and their boxes are within a pixel. Where a vertical
// face puts a glyph in its cell is the font engine's own: two pixels there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/sjis.h"
#include "tests/win32/gdicanvas.h"
#include "ui/win32/dibcanvas.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kGreen = RGB(0, 160, 0);

using Drawing = std::function<void(Canvas&)>;

struct Case {
  const char* Name;
  Drawing Draw;
};

// Both pictures as rows of characters, '.' white, '#' black, 'r', 'g' and
// 'b' red, green and blue, 'o' any other colour, side by side, for a
// failure's message.
std::string Side(const Bitmap& a, const Bitmap& b) {
  const auto mark = [](TColor c) {
    c &= 0xFFFFFFu;
    return c == kWhite   ? '.'
           : c == kBlack ? '#'
           : c == kRed   ? 'r'
           : c == kGreen ? 'g'
           : c == kBlue  ? 'b'
                         : 'o';
  };
  std::ostringstream out;
  out << "\nraster" << std::string(kWidth - 5, ' ') << "gdi\n";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) out << mark(a.Pixels[y * kWidth + x]);
    out << ' ';
    for (int x = 0; x < kWidth; ++x) out << mark(b.Pixels[y * kWidth + x]);
    out << '\n';
  }
  return out.str();
}

void ExpectSamePixels(const Case& c) {
  SCOPED_TRACE(c.Name);
  DibCanvas raster(kWidth, kHeight);
  GdiCanvas gdi(kWidth, kHeight);
  c.Draw(raster);
  c.Draw(gdi);
  const Bitmap a = raster.CopyToBitmap();
  const Bitmap b = gdi.CopyToBitmap();
  int differ = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i) differ += (a.Pixels[i] & 0xFFFFFFu) != b.Pixels[i];
  EXPECT_EQ(differ, 0) << Side(a, b);
}

const Pen kThin{kBlack, 1, PenStyle::Solid, PenMix::Copy};

void Star(Canvas& c, int cx, int cy, int r) {
  for (int dx = -r; dx <= r; dx += r / 2) {
    for (int dy = -r; dy <= r; dy += r / 2) {
      c.MoveTo(cx, cy);
      c.LineTo(cx + dx, cy + dy);
    }
  }
}

TEST(CanvasContract, LinesAndPens) {
  const Case cases[] = {
      {"lines every way leave out their last pixel",
       [](Canvas& c) {
         c.SetPen(kThin);
         Star(c, 20, 20, 16);
         c.MoveTo(40, 5);
         c.LineTo(61, 13);
         c.LineTo(43, 44);
         c.LineTo(40, 5);
       }},
      {"width 0 is one pixel; far ends are cut",
       [](Canvas& c) {
         c.SetPen({kRed, 0, PenStyle::Solid, PenMix::Copy});
         c.MoveTo(-1000, -700);
         c.LineTo(3000, 2500);
         c.MoveTo(63, -5);
         c.LineTo(-7, 47);
       }},
      {"dotted pens carry their pattern on",
       [](Canvas& c) {
         const PenStyle styles[] = {PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                                    PenStyle::DashDotDot};
         int y = 3;
         for (PenStyle s : styles) {
           c.SetPen({kBlack, 1, s, PenMix::Copy});
           c.MoveTo(1, y);
           c.LineTo(40, y);
           c.LineTo(62, y + 9);
           y += 11;
         }
       }},
      {"a dotted polyline",
       [](Canvas& c) {
         c.SetPen({kBlue, 1, PenStyle::DashDot, PenMix::Copy});
         const ScreenPoint zigzag[] = {{2, 2}, {30, 20}, {5, 40}, {60, 44}, {50, 3}};
         c.Polyline(zigzag);
       }},
      {"a dotted rectangle and polygon",
       [](Canvas& c) {
         c.SetPen({kBlue, 1, PenStyle::Dot, PenMix::Copy});
         c.SetBrush({kWhite, BrushStyle::Hollow});
         c.Rectangle(10, 10, 54, 30);
         c.SetPen({kRed, 1, PenStyle::DashDotDot, PenMix::Copy});
         const ScreenPoint tri[] = {{5, 45}, {30, 32}, {60, 46}};
         c.Polygon(tri);
       }},
      {"a dotted curve of short lines",
       [](Canvas& c) {
         c.SetPen({kBlack, 1, PenStyle::Dot, PenMix::Copy});
         std::vector<ScreenPoint> arc;
         for (int a = 0; a <= 90; a += 3) {
           arc.push_back({static_cast<int32_t>(std::lround(5 + 50 * std::cos(a * 0.01745))),
                          static_cast<int32_t>(std::lround(5 + 40 * std::sin(a * 0.01745)))});
         }
         c.ScreenLines(arc);
       }},
  };
  for (const Case& c : cases) ExpectSamePixels(c);
}

// Pens wider than a pixel: GDI makes one region of the whole outline (each
// segment a band, a round end or join at each point) and fills it once, so
// an xor pen toggles each pixel once and a fill lies only outside the band.
TEST(CanvasContract, WidePens) {
  const Case cases[] = {
      {"lines every way at widths 2 to 5, round at both ends",
       [](Canvas& c) {
         for (int w = 2; w <= 5; ++w) {
           c.SetPen({kBlack, w, PenStyle::Solid, PenMix::Copy});
           const int x = (w - 2) * 16 + 8, y = (w - 2) % 2 * 22 + 10;
           Star(c, x, y, 6);
           c.MoveTo(x - 6, y + 9);
           c.LineTo(x + 1, y + 11);
         }
       }},
      {"shallow and steep lines at widths 6 to 9",
       [](Canvas& c) {
         for (int w = 6; w <= 9; ++w) {
           c.SetPen({kBlack, w, PenStyle::Solid, PenMix::Copy});
           const int k = w - 6;
           c.MoveTo(4, 4 + 10 * k);
           c.LineTo(40, 9 + 11 * k);
           c.MoveTo(46 + 4 * k, 3);
           c.LineTo(50 + 3 * k, 44 - 5 * k);
         }
       }},
      {"the origin's cross, and a point's dot",
       [](Canvas& c) {
         c.SetPen({kRed, 2, PenStyle::Solid, PenMix::Copy});
         c.MoveTo(10, 20);
         c.LineTo(31, 20);
         c.MoveTo(20, 9);
         c.LineTo(20, 31);
         for (int w = 2; w <= 8; ++w) {
           c.SetPen({kBlue, w, PenStyle::Solid, PenMix::Copy});
           c.MoveTo(w * 8 - 12, 40);
           c.LineTo(w * 8 - 12, 40);
         }
       }},
      {"a wide polyline and polygon join round",
       [](Canvas& c) {
         c.SetPen({kGreen, 4, PenStyle::Solid, PenMix::Copy});
         const ScreenPoint zigzag[] = {{3, 4}, {30, 18}, {6, 40}, {58, 44}, {50, 3}};
         c.Polyline(zigzag);
         c.SetPen({kBlack, 3, PenStyle::Solid, PenMix::Copy});
         c.SetBrush({kRed, BrushStyle::Solid});
         const ScreenPoint tri[] = {{25, 30}, {45, 8}, {60, 38}};
         c.Polygon(tri);
       }},
      {"dotted styles draw solid when wide",
       [](Canvas& c) {
         const PenStyle styles[] = {PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                                    PenStyle::DashDotDot};
         int y = 5;
         for (PenStyle s : styles) {
           c.SetPen({kBlack, 2, s, PenMix::Copy});
           c.MoveTo(2, y);
           c.LineTo(60, y + 4);
           y += 11;
         }
       }},
      {"a wide xor band toggles each pixel once",
       [](Canvas& c) {
         c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
         c.SetBrush({kGreen, BrushStyle::Solid});
         c.Rectangle(8, 8, 40, 30);
         c.SetPen({kRed, 3, PenStyle::Solid, PenMix::Xor});
         c.SetBrush({kWhite, BrushStyle::Hollow});
         c.Rectangle(4, 4, 50, 40);
         c.SetBrush({kBlue, BrushStyle::Solid});
         c.Rectangle(30, 20, 60, 45);
         const ScreenPoint tri[] = {{2, 46}, {20, 26}, {36, 46}};
         c.Polygon(tri);
         c.MoveTo(40, 2);
         c.LineTo(62, 30);
       }},
  };
  for (const Case& c : cases) ExpectSamePixels(c);
}

TEST(CanvasContract, RectanglesPolygonsAndHatches) {
  const Case cases[] = {
      {"rectangles leave out their right and bottom edge",
       [](Canvas& c) {
         c.SetPen(kThin);
         c.SetBrush({kRed, BrushStyle::Solid});
         c.Rectangle(2, 2, 20, 15);
         c.Rectangle(40, 30, 25, 18);  // corners the other way round
         c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
         c.SetBrush({kBlue, BrushStyle::Solid});
         c.Rectangle(44, 2, 60, 12);
         c.SetPen(kThin);
         c.SetBrush({kWhite, BrushStyle::Hollow});
         c.Rectangle(3, 30, 18, 46);
       }},
      {"polygons fill alternate",
       [](Canvas& c) {
         c.SetPen(kThin);
         c.SetBrush({kGreen, BrushStyle::Solid});
         const ScreenPoint star[] = {{20, 2}, {32, 40}, {2, 14}, {38, 14}, {8, 40}};
         c.Polygon(star);
         c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
         c.SetBrush({kRed, BrushStyle::Solid});
         const ScreenPoint slant[] = {{40, 3}, {62, 9}, {55, 45}, {44, 30}};
         c.Polygon(slant);
       }},
      {"hatch gaps keep what was beneath",
       [](Canvas& c) {
         c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
         c.SetBrush({kRed, BrushStyle::Solid});
         c.Rectangle(0, 0, kWidth, kHeight);
         const BrushStyle hatches[] = {BrushStyle::Horizontal, BrushStyle::Vertical,
                                       BrushStyle::FDiagonal,  BrushStyle::BDiagonal,
                                       BrushStyle::Cross,      BrushStyle::DiagCross};
         int x = 1;
         for (BrushStyle h : hatches) {
           c.SetBrush({kBlue, h});
           c.Rectangle(x, 1, x + 9, 22);
           const ScreenPoint wedge[] = {{x, 25}, {x + 10, 27}, {x + 4, 46}};
           c.SetPen(kThin);
           c.Polygon(wedge);
           c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
           x += 10;
         }
       }},
  };
  for (const Case& c : cases) ExpectSamePixels(c);
}

TEST(CanvasContract, XorAndBitmaps) {
  const Case cases[] = {
      {"xor toggles, and twice restores",
       [](Canvas& c) {
         c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
         c.SetBrush({kGreen, BrushStyle::Solid});
         c.Rectangle(8, 8, 40, 30);
         c.SetPen({kRed, 1, PenStyle::Solid, PenMix::Xor});
         Star(c, 24, 20, 16);
         c.SetBrush({kBlue, BrushStyle::Solid});
         c.Rectangle(30, 4, 60, 40);
         const ScreenPoint tri[] = {{2, 46}, {30, 26}, {50, 46}};
         c.Polygon(tri);
         c.Polygon(tri);
         c.SetPixel(1, 1, kRed);
       }},
      {"a bitmap copied back lands where it is put",
       [](Canvas& c) {
         c.SetPen(kThin);
         c.SetBrush({kRed, BrushStyle::Cross});
         c.Rectangle(2, 2, 30, 20);
         const Bitmap copy = c.CopyToBitmap();
         c.SetBrush({kWhite, BrushStyle::Solid});
         c.Rectangle(0, 0, kWidth, kHeight);
         c.DrawBitmap(20, 25, copy);
         c.DrawBitmap(-10, -5, copy);
       }},
  };
  for (const Case& c : cases) ExpectSamePixels(c);
}

// The dark pixels of a picture.
std::vector<bool> Ink(const Bitmap& b) {
  std::vector<bool> ink(b.Pixels.size());
  for (size_t i = 0; i < ink.size(); ++i) {
    const TColor p = b.Pixels[i];
    ink[i] = (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 3 * 128;
  }
  return ink;
}

struct Box {
  int Left = kWidth, Top = kHeight, Right = -1, Bottom = -1;
};

Box InkBox(const std::vector<bool>& ink) {
  Box box;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!ink[y * kWidth + x]) continue;
      box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x),
             std::max(box.Bottom, y)};
    }
  }
  return box;
}

TEST(CanvasContract, GlyphsInkTheSamePlaces) {
  struct GlyphCase {
    const char* Face;
    int32_t Height, Escapement;
    const char* Text;
    int32_t X, Y;
    int Reach = 1;  // pixels
    bool Underline = false, StrikeOut = false;
  };
  const GlyphCase cases[] = {
      {"ＭＳ ゴシック", 36, 0, "田", 10, 4},
      {"ＭＳ 明朝", 36, 0, "あ", 10, 4},
      {"ＭＳ ゴシック", 30, 0, "W", 20, 8},
      {"ＭＳ ゴシック", 30, 900, "字", 8, 40},
      {"ＭＳ ゴシック", 24, 450, "A", 20, 30},
      // Written downwards: the "@" face's glyphs stand upright, the
      // long-vowel mark in its vertical form.
      {"@ＭＳ ゴシック", 36, 2700, "字", 50, 4, 2},
      {"@ＭＳ ゴシック", 36, 2700, "ー", 50, 4, 2},
      // Underlines and strike-outs are bars along the run, through the
      // hollow of the glyph, upright, turned and written downwards. Not at
      // a turn between the quarter turns: Wine's GDI leaves the lines out
      // there, where Windows turns them with the text as the canvas does.
      {"ＭＳ ゴシック", 30, 0, "口", 16, 4, 1, false, true},
      {"ＭＳ 明朝", 30, 0, "W", 20, 4, 1, true, false},
      {"ＭＳ ゴシック", 30, 900, "口", 8, 40, 1, true, true},
      {"@ＭＳ ゴシック", 36, 2700, "口", 50, 4, 2, true, true},
  };
  for (const GlyphCase& g : cases) {
    SCOPED_TRACE(g.Text);
    const Drawing draw = [&](Canvas& c) {
      LogFont font;
      font.Height = g.Height;
      font.Escapement = g.Escapement;
      font.Orientation = g.Escapement;
      font.CharSet = 128;  // SHIFTJIS_CHARSET
      font.Underline = g.Underline;
      font.StrikeOut = g.StrikeOut;
      font.FaceName = Sjis(g.Face);
      c.SetFont(font);
      c.SetTextColor(kBlack);
      c.SetBrush({kWhite, BrushStyle::Hollow});
      c.TextOut(g.X, g.Y, Sjis(g.Text));
    };
    DibCanvas raster(kWidth, kHeight);
    GdiCanvas gdi(kWidth, kHeight);
    draw(raster);
    draw(gdi);
    const Bitmap a = raster.CopyToBitmap();
    const Bitmap b = gdi.CopyToBitmap();
    const std::vector<bool> inkA = Ink(a);
    const std::vector<bool> inkB = Ink(b);
    // How many dark pixels of one have none of the other nearby.
    const int r = g.Reach;
    const auto strays = [r](const std::vector<bool>& one, const std::vector<bool>& other) {
      int count = 0, stray = 0;
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          if (!one[y * kWidth + x]) continue;
          ++count;
          bool touched = false;
          for (int v = std::max(y - r, 0); v <= std::min(y + r, kHeight - 1); ++v) {
            for (int u = std::max(x - r, 0); u <= std::min(x + r, kWidth - 1); ++u) {
              touched = touched || other[v * kWidth + u];
            }
          }
          stray += touched ? 0 : 1;
        }
      }
      return std::pair{count, stray};
    };
    const auto [countA, strayA] = strays(inkA, inkB);
    const auto [countB, strayB] = strays(inkB, inkA);
    ASSERT_GT(countB, 20) << Side(a, b);
    EXPECT_LE(strayA * 20, countA) << Side(a, b);
    EXPECT_LE(strayB * 20, countB) << Side(a, b);
    const Box ba = InkBox(inkA), bb = InkBox(inkB);
    EXPECT_LE(std::abs(ba.Left - bb.Left), r) << Side(a, b);
    EXPECT_LE(std::abs(ba.Top - bb.Top), r) << Side(a, b);
    EXPECT_LE(std::abs(ba.Right - bb.Right), r) << Side(a, b);
    EXPECT_LE(std::abs(ba.Bottom - bb.Bottom), r) << Side(a, b);
  }
}

// The host's two faces draw real Japanese strokes on the Windows program's
// canvas (a face without the glyph leaves a box or nothing), and the host's
// default face written "<ＭＳ ゴシック>", a name no system has, draws as the
// face it names.
TEST(CanvasContract, HostFacesDrawTheirJapaneseGlyphs) {
  const auto glyph = [](const char* face) {
    DibCanvas canvas(kWidth, kHeight);
    LogFont font;
    font.Height = 24;
    font.FaceName = Sjis(face);
    canvas.SetFont(font);
    canvas.TextOut(4, 2, Sjis("あ"));
    return canvas.CopyToBitmap().Pixels;
  };
  for (const char* face : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
    const std::vector<TColor> plain = glyph(face);
    const std::vector<bool> ink = Ink({kWidth, kHeight, plain});
    const Box box = InkBox(ink);
    EXPECT_GT(std::count(ink.begin(), ink.end(), true), 30) << face;
    EXPECT_GT(box.Right - box.Left, 10) << face;
    EXPECT_EQ(glyph(("<" + std::string(face) + ">").c_str()), plain) << face;
  }
}

}  // namespace
