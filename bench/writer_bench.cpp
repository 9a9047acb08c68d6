// Writing the answer for the host: WriteAll plus SaveJwcTemp of an outline of
// one million entities (per corner a marker, its number and two measured
// lines, with coordinates as the point computation leaves them).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "exchange/store.h"
#include "exchange/writeback.h"
#include "exchange/writer.h"

namespace {

constexpr int kEntities = 1000000;

void FillOutline() {
  InitStore();
  ResetCurrentAttributes();
  double x = 0;
  double y = 0;
  for (int corner = 1; static_cast<int>(JwwStore.Order.size()) < kEntities; ++corner) {
    // Computed corners carry all the digits a double has.
    const double nx = x + 7.25 * std::cos(corner * 0.7071067811865476);
    const double ny = y + 5.5 * std::sin(corner * 1.4142135623730951);
    AddPoint(nx, ny);
    AddText(0, std::to_string(corner), nx, ny, 1, 0);
    AddLine(x, y, nx, ny);
    AddLine(nx, ny, x - ny / 3, y + nx / 7);
    x = nx;
    y = ny;
  }
}

void BM_WriteAllAndSave(benchmark::State& state) {
  FillOutline();
  const std::string path =
      (std::filesystem::temp_directory_path() / "horune-writer-bench-JWC_TEMP.TXT").string();
  for (auto _ : state) {
    ClearOutput();
    ResetCurrentAttributes();
    QueueLine("hd");
    WriteAll(TWriteOverrides{}, {});
    if (!SaveJwcTemp(path)) state.SkipWithError("the file could not be written");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(JwwStore.Order.size()));
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::remove(path.c_str());
  FreeStore();
}
BENCHMARK(BM_WriteAllAndSave)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
