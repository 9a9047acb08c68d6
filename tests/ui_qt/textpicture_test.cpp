// Pictures the Qt canvas draws with the fonts the window uses, kept for a
// person to look at. A drawing full of texts (fonts, sizes, directions,
// vertical writing, control codes, variables, markers, an image box) goes
// into the build tree: every glyph that is not a space must leave ink where
// it was put, and the picture with its texts laid from the canvas's layer
// must look the same. The drawing of every kind of entity goes into the
// temporary folder.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "render/renderer.h"
#include "tests/raster/canvaspixels.h"
#include "text/clock.h"
#include "ui/qt/qtcanvas.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;
constexpr int kKindsWidth = 640;
constexpr int kKindsHeight = 480;

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
  ASSERT_TRUE(LoadJwcTemp(HORUNE_SOURCE_DIR "/tests/text/fixtures/texts.txt"));
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
  EXPECT_LE(MostChannelDifference(canvas, layered), 2);
  EXPECT_GT(canvas.Glyphs, 150);
  EXPECT_TRUE(canvas.Missing.empty())
      << canvas.Missing.size() << " glyphs left no ink, first " << canvas.Missing.front();
  const std::string path = std::string(HORUNE_ARTIFACT_DIR) + "/texts.png";
  EXPECT_TRUE(canvas.Image().save(QString::fromStdString(path)));
  std::cout << "picture: " << path << "\n";
}

TEST(EveryKindPicture, HardlyAnythingIsLeftUndrawn) {
  InitStore();
  ASSERT_TRUE(LoadJwcTemp(HORUNE_SOURCE_DIR "/tests/render/fixtures/every_kind.txt"));
  CreateGraAttribute();
  FitViewToExtents(kKindsWidth, kKindsHeight);
  QtCanvas canvas(kKindsWidth, kKindsHeight);
  ClearView(canvas, kKindsWidth, kKindsHeight);
  RenderStore(canvas);
  const char* tmp = std::getenv("TMPDIR");
  const std::filesystem::path path =
      std::filesystem::path(tmp != nullptr ? tmp : "/tmp") / "horune_every_kind.png";
  ASSERT_TRUE(canvas.Image().save(QString::fromStdString(path.string())));
  std::cout << "picture: " << path.string() << "\n";
  const QImage& image = canvas.Image();
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  }
  EXPECT_GT(drawn, kKindsWidth * kKindsHeight / 50) << "hardly anything drawn";
}

}  // namespace
