// The cost of a turned glyph's coverage: FillCoverage over the outlines of
// the Japanese texts of a site drawing, each at 64 turns. The argument is
// the em in pixels: 18 as a fitted drawing of many texts shows them, 36 one
// wheel notch in.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QRawFont>
#include <QTransform>
#include <vector>

#include "ui/qt/coverage.h"

namespace {

std::vector<FlatOutline> Outlines(int em) {
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(em);
  const QRawFont raw = QRawFont::fromFont(font);
  std::vector<FlatOutline> outlines;
  for (quint32 index :
       raw.glyphIndexesForString(QStringLiteral("敷地境界線道路中心隣官民杭既存建物駐車場"))) {
    outlines.push_back(FlattenPath(raw.pathForGlyph(index).translated(0, raw.ascent())));
  }
  return outlines;
}

void TurnedGlyphFill(benchmark::State& state) {
  const std::vector<FlatOutline> outlines = Outlines(static_cast<int>(state.range(0)));
  constexpr int kTurns = 64;
  for (auto _ : state) {
    for (const FlatOutline& outline : outlines) {
      for (int turn = 0; turn < kTurns; ++turn) {
        QTransform cell;
        cell.rotate(360.0 * turn / kTurns + 1.0);
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
