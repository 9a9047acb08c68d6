// A drawing full of texts (fonts, sizes, directions, vertical writing,
// control codes, variables, markers, an image box) rendered by the Qt
// canvas into a picture kept in the build tree for a person to look at.
// Every glyph that is not a space must leave ink where it was put, and the
// picture with its texts laid from the canvas's layer must look the same.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "render/renderer.h"
#include "tests/preview/channel_difference.h"
#include "text/clock.h"
#include "ui/qt/qtcanvas.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;

// The Qt canvas, watching whether each glyph changes a pixel about its point.
class InkCheckingCanvas : public QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  std::vector<std::string> Missing;
  int Glyphs = 0;

  void SetFont(const LogFont& font) override {
    height_ = std::abs(font.Height);
    QtCanvas::SetFont(font);
  }
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override {
    const int r = 2 * height_ + 4;
    const QRect around(x - r, y - r, 2 * r, 2 * r);
    const QImage before = Image().copy(around);
    QtCanvas::TextOut(x, y, glyph);
    if (glyph == " " || glyph == Sjis("　")) return;
    ++Glyphs;
    if (Image().copy(around) == before) {
      Missing.push_back(Utf8FromSjis(glyph) + " at " + std::to_string(x) + "," + std::to_string(y));
    }
  }

 private:
  int height_ = 0;
};

TEST(TextPicture, EveryGlyphOfTheTextSheetLeavesInk) {
  InitStore();
  ASSERT_TRUE(LoadJwcTemp("fixtures/texts.txt"));
  CreateGraAttribute();
  SetClock([] { return EncodeDateTime(2026, 1, 5, 9, 7, 3); });
  FitViewToExtents(kWidth, kHeight);
  InkCheckingCanvas canvas(kWidth, kHeight);
  RenderPreview(canvas, kWidth, kHeight);
  // Laid from a layer, the texts differ from those drawn in place in the
  // blends' rounding alone.
  QtCanvas layered(kWidth, kHeight);
  RenderPreview(layered, kWidth, kHeight);
  SetClock({});
  EXPECT_LE(MostChannelDifference(canvas.Image(), layered.Image()), 2);
  EXPECT_GT(canvas.Glyphs, 150);
  EXPECT_TRUE(canvas.Missing.empty())
      << canvas.Missing.size() << " glyphs left no ink, first " << canvas.Missing.front();
  const std::string path = std::string(HORUNE_ARTIFACT_DIR) + "/texts.png";
  EXPECT_TRUE(canvas.Image().save(QString::fromStdString(path)));
  std::cout << "picture: " << path << "\n";
}

}  // namespace
