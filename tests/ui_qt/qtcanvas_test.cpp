// The Linux canvas's glyphs from Qt's fonts: at any turn they keep the look
// Qt's own drawing of them has, a vertical face stands its glyphs up in
// their cells, and the Esc-key state reads released where there is no X
// display.
#include "ui/qt/qtcanvas.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "common/escape.h"
#include "common/sjis.h"
#include "ui/qt/escape_x11.h"

namespace {

constexpr TColor kBlack = RGB(0, 0, 0);

// The font changed by the function, which may be a captureless lambda.
LogFont Changed(LogFont font, void (*change)(LogFont&)) {
  change(font);
  return font;
}

TEST(EscapeQuery, OffscreenInstallsNothingSoTheKeyReadsReleased) {
  SetEscapeQuery({});
  InstallEscapeQuery();
  EXPECT_FALSE(EscapePressed());
}

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
TEST(QtCanvasGlyphs, GlyphsAtAnyTurnMatchTheFontEngineDrawingThem) {
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
TEST(QtCanvasGlyphs, AVerticalFaceKeepsTheCellAndTakesTheVerticalForms) {
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

}  // namespace
