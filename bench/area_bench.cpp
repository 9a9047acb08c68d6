// The site's area of a long table: a strip of equilateral triangles of 5 m
// sides, each new point fixed from the two before it, so no point lies
// near an earlier one and the check-measurement search looks at them all.
// ComputeArea/N times the area of N rows, the outline computed once.
#include <benchmark/benchmark.h>

#include <string>

#include "site/area.h"
#include "site/outline.h"

namespace {

TOutlineInput StripTable(int rows) {
  TOutlineInput input{"5000", "0", {}};
  for (int r = 1; r <= rows; ++r) {
    input.Rows.push_back(
        {std::to_string(r), "5000", std::to_string(r + 1), "5000", r % 2 ? "0" : "1"});
  }
  return input;
}

void BM_ComputeArea(benchmark::State& state) {
  const TOutlineSolution solution =
      ComputeOutline(StripTable(static_cast<int>(state.range(0)))).Solution;
  for (auto _ : state) benchmark::DoNotOptimize(ComputeArea(solution, TAreaSettings{}));
  state.counters["rows/s"] = benchmark::Counter(
      static_cast<double>(state.range(0) * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputeArea)->Arg(1000)->Arg(kTableRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
