// The GDI canvas's pixels against the rules the core relies on, under the
// real GDI (or Wine's): where the Qt canvas imitates them, here they must
// simply hold.
#include "tests/win32/gdicanvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/sjis.h"

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kCyan = RGB(0, 255, 255);

constexpr int kWidth = 40;
constexpr int kHeight = 30;

struct Picture {
  Bitmap pixels;
  TColor At(int x, int y) const { return pixels.Pixels[y * pixels.Width + x]; }
  // One row from x0 to x1 as '#' (not white) and '.' (white).
  std::string Row(int y, int x0, int x1) const {
    std::string out;
    for (int x = x0; x <= x1; ++x) out += At(x, y) == kWhite ? '.' : '#';
    return out;
  }
  int Count(TColor c) const {
    int n = 0;
    for (TColor p : pixels.Pixels) n += p == c;
    return n;
  }
};

Picture Draw(const std::function<void(GdiCanvas&)>& draw) {
  GdiCanvas canvas(kWidth, kHeight);
  draw(canvas);
  return {canvas.CopyToBitmap()};
}

struct RowCase {
  const char* name;
  std::function<void(GdiCanvas&)> draw;
  int y, x0, x1;
  const char* expected;
};

TEST(GdiCanvas, LinesRectanglesAndPensKeepTheirPixels) {
  const Pen black{kBlack, 1, PenStyle::Solid, PenMix::Copy};
  const RowCase cases[] = {
      {"line-to leaves out its last pixel",
       [&](GdiCanvas& c) {
         c.SetPen(black);
         c.MoveTo(2, 2);
         c.LineTo(10, 2);
       },
       2, 1, 11, ".########.."},
      {"and backwards too",
       [&](GdiCanvas& c) {
         c.SetPen(black);
         c.MoveTo(10, 5);
         c.LineTo(2, 5);
       },
       5, 1, 11, "..########."},
      {"rectangle leaves out its right edge",
       [&](GdiCanvas& c) {
         c.SetPen(black);
         c.SetBrush({kRed, BrushStyle::Solid});
         c.Rectangle(8, 6, 2, 2);
       },
       3, 1, 9, ".######.."},
      {"and its bottom edge",
       [&](GdiCanvas& c) {
         c.SetPen(black);
         c.Rectangle(2, 2, 8, 6);
       },
       6, 1, 9, "........."},
      {"polyline leaves out its last point",
       [&](GdiCanvas& c) {
         c.SetPen(black);
         const ScreenPoint points[] = {{2, 2}, {2, 8}, {10, 8}};
         c.Polyline(points);
       },
       8, 1, 11, ".########.."},
      {"a dotted pen of width 0 leaves gaps",
       [&](GdiCanvas& c) {
         c.SetPen({kBlack, 0, PenStyle::Dot, PenMix::Copy});
         c.MoveTo(0, 3);
         c.LineTo(16, 3);
       },
       3, 0, 15, "###...###...###."},
      {"a wide pen is solid whatever its style",
       [&](GdiCanvas& c) {
         c.SetPen({kBlack, 3, PenStyle::Dot, PenMix::Copy});
         c.MoveTo(5, 10);
         c.LineTo(35, 10);
       },
       9, 6, 34, "#############################"},
      {"far-off coordinates draw the visible part",
       [&](GdiCanvas& c) {
         c.SetPen(black);
         c.MoveTo(-20000000, 7);
         c.LineTo(20000000, 7);
       },
       7, 0, 39, "########################################"},
  };
  for (const RowCase& c : cases) {
    EXPECT_EQ(Draw(c.draw).Row(c.y, c.x0, c.x1), c.expected) << c.name;
  }
}

TEST(GdiCanvas, FillsKeepTheirShape) {
  const Picture rect = Draw([](GdiCanvas& c) {
    c.SetPen({kBlack, 1, PenStyle::Solid, PenMix::Copy});
    c.SetBrush({kRed, BrushStyle::Solid});
    c.Rectangle(2, 2, 8, 6);
  });
  EXPECT_EQ(rect.Count(kRed), 4 * 2) << "the fill lies inside the outline";
  EXPECT_EQ(rect.At(2, 3), kBlack);

  // A pentagram: its centre is crossed twice and stays unfilled.
  const Picture star = Draw([](GdiCanvas& c) {
    const ScreenPoint points[] = {{20, 2}, {27, 26}, {8, 11}, {32, 11}, {13, 26}};
    c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
    c.SetBrush({kRed, BrushStyle::Solid});
    c.Polygon(points);
  });
  EXPECT_EQ(star.At(20, 15), kWhite);
  EXPECT_EQ(star.At(20, 6), kRed);
}

TEST(GdiCanvas, HatchGapsKeepWhatWasBeneath) {
  for (BrushStyle hatch : {BrushStyle::Horizontal, BrushStyle::Vertical, BrushStyle::FDiagonal,
                           BrushStyle::BDiagonal, BrushStyle::Cross, BrushStyle::DiagCross}) {
    const Picture p = Draw([hatch](GdiCanvas& c) {
      c.SetPen({kBlack, 1, PenStyle::Null, PenMix::Copy});
      c.SetBrush({kRed, BrushStyle::Solid});
      c.Rectangle(0, 0, kWidth + 1, kHeight + 1);
      c.SetBrush({kBlue, hatch});
      c.Rectangle(0, 0, kWidth + 1, kHeight + 1);
    });
    EXPECT_GT(p.Count(kBlue), 0) << static_cast<int>(hatch);
    EXPECT_GT(p.Count(kRed), 0) << static_cast<int>(hatch);
    EXPECT_EQ(p.Count(kBlue) + p.Count(kRed), kWidth * kHeight) << static_cast<int>(hatch);
  }
}

TEST(GdiCanvas, XorTwiceRestoresAndSetPixelIgnoresIt) {
  GdiCanvas canvas(kWidth, kHeight);
  canvas.SetPen({kBlue, 1, PenStyle::Solid, PenMix::Copy});
  canvas.SetBrush({kRed, BrushStyle::Solid});
  canvas.Rectangle(4, 4, 30, 20);
  const Bitmap before = canvas.CopyToBitmap();
  auto band = [&] {
    canvas.SetPen({kCyan, 1, PenStyle::Solid, PenMix::Xor});
    canvas.SetBrush({kBlue, BrushStyle::Hollow});
    canvas.Rectangle(1, 1, 25, 25);
    const ScreenPoint ring[] = {{2, 10}, {35, 12}, {20, 28}};
    canvas.Polygon(ring);
    canvas.SetPen({kCyan, 3, PenStyle::Solid, PenMix::Xor});
    canvas.SetBrush({kBlue, BrushStyle::DiagCross});
    canvas.Rectangle(10, 8, 20, 18);
  };
  band();
  EXPECT_NE(canvas.CopyToBitmap().Pixels, before.Pixels);
  band();
  EXPECT_EQ(canvas.CopyToBitmap().Pixels, before.Pixels);

  canvas.SetPixel(5, 5, kCyan);
  canvas.SetPixel(5, 5, kCyan);
  canvas.SetPixel(-1, 500, kCyan);
  EXPECT_EQ(Picture{canvas.CopyToBitmap()}.At(5, 5), kCyan);
}

TEST(GdiCanvas, BitmapsKeepRedInTheLowByte) {
  GdiCanvas canvas(kWidth, kHeight);
  canvas.SetPixel(1, 2, kRed);
  const Bitmap copy = canvas.CopyToBitmap();
  ASSERT_EQ(copy.Width, kWidth);
  ASSERT_EQ(copy.Height, kHeight);
  EXPECT_EQ(copy.Pixels[2 * kWidth + 1], 0x000000FFu);
  canvas.SetPixel(1, 2, kBlue);
  canvas.DrawBitmap(-1, 0, copy);
  EXPECT_EQ(Picture{canvas.CopyToBitmap()}.At(0, 2), kRed) << "one pixel to the left, clipped";
}

// Where the inked pixels of a glyph lie.
struct Ink {
  int count = 0, left = kWidth, top = kHeight, right = -1, bottom = -1;
};

Ink InkOf(const Picture& p) {
  Ink ink;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (p.At(x, y) == kWhite) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

TEST(GdiCanvas, GlyphsSitInTheirCellTurnedByTheEscapement) {
  struct Case {
    const char* face;
    int32_t height;
    int32_t escapement;
    int x, y;
    Ink within;  // count is the least number of inked pixels
  };
  const Case cases[] = {
      {"ＭＳ ゴシック", 20, 0, 10, 5, {20, 10, 5, 29, 24}},
      {"ＭＳ 明朝", 20, 0, 10, 5, {20, 10, 5, 29, 24}},
      // Turned a quarter counter-clockwise the cell grows up and right.
      {"ＭＳ ゴシック", 16, 900, 10, 25, {20, 10, 0, 39, 25}},
      {"@ＭＳ ゴシック", 16, 2700, 25, 5, {20, 0, 5, 25, 29}},
      {"ＭＳ ゴシック", 0, 0, 10, 5, {0, kWidth, kHeight, -1, -1}},
  };
  for (const Case& c : cases) {
    const Picture p = Draw([&c](GdiCanvas& canvas) {
      LogFont font;
      font.Height = c.height;
      font.Escapement = c.escapement;
      font.FaceName = Sjis(c.face);
      canvas.SetFont(font);
      canvas.SetTextColor(kBlack);
      canvas.SetBrush({kRed, BrushStyle::Hollow});
      canvas.TextOut(c.x, c.y, Sjis("田"));
    });
    const Ink ink = InkOf(p);
    const std::string name = std::string(c.face) + " " + std::to_string(c.escapement);
    EXPECT_GE(ink.count, c.within.count) << name;
    if (c.within.count == 0) {
      EXPECT_EQ(ink.count, 0) << name << ": a font of no height draws nothing";
      continue;
    }
    EXPECT_GE(ink.left, c.within.left) << name;
    EXPECT_GE(ink.top, c.within.top) << name;
    EXPECT_LE(ink.right, c.within.right) << name;
    EXPECT_LE(ink.bottom, c.within.bottom) << name;
  }
}

TEST(GdiCanvas, HostFacesHaveJapaneseGlyphs) {
  // A face without the glyph would leave a box or nothing: the two host
  // faces must draw a full-width character with real strokes in it.
  for (const char* face : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
    const Picture p = Draw([face](GdiCanvas& canvas) {
      LogFont font;
      font.Height = 24;
      font.FaceName = Sjis(face);
      canvas.SetFont(font);
      canvas.TextOut(4, 2, Sjis("あ"));
    });
    const Ink ink = InkOf(p);
    EXPECT_GT(ink.count, 30) << face;
    EXPECT_GT(ink.right - ink.left, 10) << face;
  }
}

TEST(GdiCanvas, BracketedHostFacesDrawAsTheFaceInside) {
  // The host writes its default face as "<ＭＳ ゴシック>", a name no system
  // has: it must draw as the face it names, never as a fallback face.
  const auto glyph = [](const char* face) {
    return Draw([face](GdiCanvas& canvas) {
      LogFont font;
      font.Height = 24;
      font.FaceName = Sjis(face);
      canvas.SetFont(font);
      canvas.TextOut(4, 2, Sjis("あ"));
    });
  };
  EXPECT_EQ(glyph("<ＭＳ ゴシック>").pixels.Pixels, glyph("ＭＳ ゴシック").pixels.Pixels);
  EXPECT_EQ(glyph("<ＭＳ 明朝>").pixels.Pixels, glyph("ＭＳ 明朝").pixels.Pixels);
}

}  // namespace
