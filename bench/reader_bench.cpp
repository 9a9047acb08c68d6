// Reading a generated host drawing of one million entities: bytes and
// entities per second, and the store's memory per entity.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "exchange/reader.h"
#include "exchange/store.h"
#include "support/drawing_generator.h"

namespace {

constexpr size_t kEntities = 1'000'000;

const std::string& Drawing() {
  static const std::string drawing = GenerateHostDrawing(kEntities);
  return drawing;
}

size_t StringHeap(const std::string& s) {
  return s.capacity() > std::string().capacity() ? s.capacity() + 1 : 0;
}

// Everything the store holds: the capacity of every array and the heap
// blocks of the strings inside the records.
size_t StoreBytes() {
  size_t bytes = 0;
  ForEachStoreArray([&](const auto& v) { bytes += v.capacity() * sizeof(v[0]); });
  for (const TJwwEntText& t : JwwStore.Texts) bytes += StringHeap(t.FontName) + StringHeap(t.Text);
  for (const TJwwEntDim& d : JwwStore.Dims) {
    bytes += StringHeap(d.Text.FontName) + StringHeap(d.Text.Text);
  }
  for (const TJwwEntBlk& b : JwwStore.Blocks) bytes += StringHeap(b.Name);
  return bytes;
}

void Report(benchmark::State& state, size_t fileBytes) {
  const double entities = static_cast<double>(JwwStore.Order.size());
  if (JwwStore.Order.size() != kEntities) state.SkipWithError("the drawing read back short");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileBytes));
  // bytes_per_second counts in MiB; this one in decimal megabytes.
  state.counters["MB"] = benchmark::Counter(
      static_cast<double>(state.iterations() * fileBytes) / 1e6, benchmark::Counter::kIsRate);
  state.counters["entities/s"] = benchmark::Counter(
      entities * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["store_bytes/entity"] = static_cast<double>(StoreBytes()) / entities;
  state.counters["file_bytes/entity"] = static_cast<double>(fileBytes) / entities;
}

void BM_ReadFromMemory(benchmark::State& state) {
  const std::string& drawing = Drawing();
  for (auto _ : state) {
    state.PauseTiming();
    InitStore();
    state.ResumeTiming();
    LoadJwcTempFromBytes(drawing);
    benchmark::DoNotOptimize(JwwStore.Order.size());
  }
  Report(state, drawing.size());
}
BENCHMARK(BM_ReadFromMemory)->Unit(benchmark::kMillisecond);

// The same through the file, as the window reads it (from the page cache).
void BM_LoadJwcTemp(benchmark::State& state) {
  const std::string& drawing = Drawing();
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "horune_reader_bench_JWC_TEMP.TXT";
  std::ofstream(path, std::ios::binary) << drawing;
  for (auto _ : state) {
    state.PauseTiming();
    InitStore();
    state.ResumeTiming();
    benchmark::DoNotOptimize(LoadJwcTemp(path));
  }
  Report(state, drawing.size());
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadJwcTemp)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
