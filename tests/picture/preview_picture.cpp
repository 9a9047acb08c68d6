// Pictures of the preview as a front end draws it, one source built for each
// platform, for compare_previews: reads a host drawing, and for each of a
// few views (fitted; four times closer about the middle; thirty times
// closer on the first text, where glyphs are large) draws the whole preview
// as the window does on the platform's canvas (QtCanvas, or DibCanvas on
// Windows), its texts on the canvas's second thread, and writes it as
// `<view>-full.ppm`; then draws it again on a second such canvas whose
// glyph source has the platform's faces and cells but no ink, and writes
// `<view>-plain.ppm`. The plain picture keeps every line, fill, hatch and
// cell a text's brush fills, and leaves out only what the platform's font
// engine draws.
//
//   preview_picture DRAWING FOLDER
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/writeback.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"
#include "render/renderer.h"
#include "tests/picture/ppm.h"
#include "text/clock.h"
#ifdef _WIN32
#include "ui/win32/dibcanvas.h"
#else
#include <QGuiApplication>

#include "ui/qt/qtcanvas.h"
#endif

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A face with the platform face's cell and advance, whose glyphs have no
// ink, nor underline and strike-out bars.
class InklessFace : public GlyphFace {
 public:
  explicit InklessFace(std::unique_ptr<GlyphFace> face) : face_(std::move(face)) {
    Visible = face_->Visible;
    Outlined = face_->Outlined;
    CellHeight = face_->CellHeight;
    HalfWidth = face_->HalfWidth;
  }
  Affine InCell(bool fullWidth) const override { return face_->InCell(fullWidth); }
  FlatOutline Outline(const std::string&) override { return {}; }

 private:
  std::unique_ptr<GlyphFace> face_;
};

class InklessGlyphs : public GlyphSource {
 public:
  explicit InklessGlyphs(std::unique_ptr<GlyphSource> glyphs) : glyphs_(std::move(glyphs)) {}
  std::unique_ptr<GlyphFace> MakeFace(const LogFont& font) override {
    return std::make_unique<InklessFace>(glyphs_->MakeFace(font));
  }
  std::unique_ptr<GlyphSource> MakeAnother() const override {
    return std::make_unique<InklessGlyphs>(glyphs_->MakeAnother());
  }

 private:
  std::unique_ptr<GlyphSource> glyphs_;
};

// The platform's canvas, with its own glyphs or with blank ones.
std::unique_ptr<RasterCanvas> PlatformCanvas(bool blank) {
#ifdef _WIN32
  if (blank) {
    return std::make_unique<DibCanvas>(
        kWidth, kHeight, std::make_unique<InklessGlyphs>(std::make_unique<GdiGlyphSource>()));
  }
  return std::make_unique<DibCanvas>(kWidth, kHeight);
#else
  if (blank) {
    return std::make_unique<QtCanvas>(
        kWidth, kHeight, RasterCanvas::Blank::White,
        std::make_unique<InklessGlyphs>(std::make_unique<QtGlyphSource>()));
  }
  return std::make_unique<QtCanvas>(kWidth, kHeight);
#endif
}

bool Write(Canvas& canvas, const std::string& path) {
  RenderPreview(canvas, kWidth, kHeight);
  const Bitmap bitmap = canvas.CopyToBitmap();
  RgbPicture picture{bitmap.Width, bitmap.Height, {}};
  picture.Rgb.reserve(bitmap.Pixels.size() * 3);
  for (const TColor c : bitmap.Pixels) {
    picture.Rgb.insert(picture.Rgb.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
  }
  if (WritePpm(path, picture)) return true;
  std::fprintf(stderr, "preview_picture: cannot write %s\n", path.c_str());
  return false;
}

// The view `zoom` times closer than the fitted one, about (x, y).
void ZoomAbout(double fittedScale, double zoom, double x, double y) {
  Gval.ViewScale = fittedScale * zoom;
  CenterView(x, y, kWidth, kHeight);
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  QGuiApplication app(argc, argv);
#endif
  if (argc != 3) {
    std::fprintf(stderr, "usage: preview_picture DRAWING FOLDER\n");
    return 2;
  }
  // Text variables print the time: the same on both.
  SetClock([] { return EncodeDateTime(2026, 1, 5, 9, 7, 3); });
  InitStore();
  CreateGraAttribute();
  if (!LoadJwcTemp(argv[1])) {
    std::fprintf(stderr, "preview_picture: cannot read %s\n", argv[1]);
    return 1;
  }
  ResetCurrentAttributes();
  ApplyInitialAttributes();
  FitViewToExtents(kWidth, kHeight);
  const double fitted = Gval.ViewScale;
  const double midX = (Gval.ViewMinX + Gval.ViewMaxX) / 2;
  const double midY = (Gval.ViewMinY + Gval.ViewMaxY) / 2;
  double textX = midX, textY = midY;
  if (!JwwStore.Texts.empty()) {
    const TJwwEntText& t = JwwStore.Texts[0];
    textX = t.X / PreviewDivisor(t.Head);
    textY = t.Y / PreviewDivisor(t.Head);
  }
  struct View {
    const char* Name;
    double Zoom, X, Y;
  };
  const View views[] = {
      {"fitted", 1, midX, midY}, {"middle4", 4, midX, midY}, {"text30", 30, textX, textY}};
  // Each canvas serves every view, as the window keeps its one.
  const std::unique_ptr<RasterCanvas> full = PlatformCanvas(false);
  const std::unique_ptr<RasterCanvas> plain = PlatformCanvas(true);
  const std::string folder = argv[2];
  for (const View& v : views) {
    ZoomAbout(fitted, v.Zoom, v.X, v.Y);
    const std::string stem = folder + "/" + v.Name;
    if (!Write(*full, stem + "-full.ppm") || !Write(*plain, stem + "-plain.ppm")) return 1;
  }
  return 0;
}
