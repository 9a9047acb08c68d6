// The cost of a turned glyph's coverage: FillCoverage over the outlines of
// the Japanese texts of a site drawing, each at 64 turns. The argument is
// the em in pixels: 18 as a fitted drawing of many texts shows them, 36 one
// wheel notch in.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "raster/coverage.h"
#include "ui/qt/qtcanvas.h"

namespace {

std::vector<FlatOutline> Outlines(int em) {
  LogFont font;
  font.Height = -em;
  font.FaceName = Sjis("ＭＳ ゴシック");
  QtGlyphSource source;
  const std::unique_ptr<GlyphFace> face = source.MakeFace(font);
  const std::string text = Sjis("敷地境界線道路中心隣官民杭既存建物駐車場");
  std::vector<FlatOutline> outlines;
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    outlines.push_back(face->Outline(text.substr(i, 2)));
  return outlines;
}

void TurnedGlyphFill(benchmark::State& state) {
  const std::vector<FlatOutline> outlines = Outlines(static_cast<int>(state.range(0)));
  constexpr int kTurns = 64;
  for (auto _ : state) {
    for (const FlatOutline& outline : outlines) {
      for (int turn = 0; turn < kTurns; ++turn) {
        const Affine cell = Affine::Rotation(360.0 * turn / kTurns + 1.0);
        benchmark::DoNotOptimize(FillCoverage(outline, cell, 4).Alpha.data());
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(outlines.size()) * kTurns);
}
BENCHMARK(TurnedGlyphFill)->Arg(18)->Arg(36)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
