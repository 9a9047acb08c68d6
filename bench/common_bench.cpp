// Throughput of the number parsers and the number format: the reader and the
// writer of the exchange file call them once per field.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "common/realformat.h"
#include "common/sjis.h"

namespace {

// Fields as the host writes them: coordinates, angles, small integers.
std::vector<std::string> RealFields() {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-50000.0, 50000.0);
  std::vector<std::string> fields;
  for (int i = 0; i < 4096; ++i) {
    switch (i % 4) {
      case 0:
        fields.push_back(FormatReal(coordinate(random)));
        break;
      case 1:
        fields.push_back(std::to_string(static_cast<int>(coordinate(random))));
        break;
      case 2:
        fields.push_back(FormatReal(coordinate(random) / 1000));
        break;
      default:
        fields.push_back(FormatReal(coordinate(random) * 1e-12));
        break;
    }
  }
  return fields;
}

template <typename Parse>
void ParseFields(benchmark::State& state, const std::vector<std::string>& fields, Parse parse) {
  int64_t bytes = 0;
  for (const auto& f : fields) bytes += static_cast<int64_t>(f.size());
  for (auto _ : state) {
    for (const auto& f : fields) benchmark::DoNotOptimize(parse(f));
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(fields.size()));
}

void BM_TextToReal(benchmark::State& state) {
  ParseFields(state, RealFields(), [](const std::string& f) { return TextToReal(f); });
}
BENCHMARK(BM_TextToReal);

void BM_TextToInt(benchmark::State& state) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> value(-100000, 100000);
  std::vector<std::string> fields;
  for (int i = 0; i < 4096; ++i) fields.push_back(std::to_string(value(random) >> (i % 16)));
  ParseFields(state, fields, [](const std::string& f) { return TextToInt(f); });
}
BENCHMARK(BM_TextToInt);

void BM_AppendReal(benchmark::State& state) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-50000.0, 50000.0);
  std::vector<double> values;
  for (int i = 0; i < 4096; ++i) {
    const double v = coordinate(random);
    values.push_back(i % 2 == 0 ? v : static_cast<double>(static_cast<int>(v)));
  }
  std::string line;
  for (auto _ : state) {
    for (double v : values) {
      line.clear();
      AppendReal(line, v);
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_AppendReal);

void BM_Utf8FromSjis(benchmark::State& state) {
  const std::string text = Sjis("各値をクリアします。よろしいですか？ abc 123 ｱｲｳ");
  for (auto _ : state) benchmark::DoNotOptimize(Utf8FromSjis(text));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8FromSjis);

}  // namespace

BENCHMARK_MAIN();
