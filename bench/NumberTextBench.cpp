// ParseReal against glibc strtold, RealToText against snprintf("%.15Lg"), same inputs.
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BenchInputs.h"
#include "plugin/LocaleSeparator.h"

namespace {

using numora::bench::NumberTexts;
using numora::bench::Values;

void BM_ParseReal(benchmark::State& state) {
  const auto& texts = NumberTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    long double value;
    benchmark::DoNotOptimize(numora::ParseReal(texts[i], '.', value));
    benchmark::DoNotOptimize(value);
    if (++i == texts.size()) i = 0;
  }
}
BENCHMARK(BM_ParseReal);

void BM_GlibcStrtold(benchmark::State& state) {
  const auto& texts = NumberTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    char* end;
    benchmark::DoNotOptimize(std::strtold(texts[i].c_str(), &end));
    benchmark::DoNotOptimize(end);
    if (++i == texts.size()) i = 0;
  }
}
BENCHMARK(BM_GlibcStrtold);

void BM_RealToText(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  char out[numora::kRealTextCapacity];
  for (auto _ : state) {
    benchmark::DoNotOptimize(numora::RealToText(values[i], '.', out));
    benchmark::ClobberMemory();
    if (++i == values.size()) i = 0;
  }
}
BENCHMARK(BM_RealToText);

void BM_GlibcSnprintfLg(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  char out[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%.15Lg", values[i]));
    benchmark::ClobberMemory();
    if (++i == values.size()) i = 0;
  }
}
BENCHMARK(BM_GlibcSnprintfLg);

// The locale's separator as each operation reads it, beside localeconv(), which builds the
// whole numeric structure.
void BM_CallSeparatorRead(benchmark::State& state) {
  char buffer[numora::platform::kSeparatorBuffer];
  for (auto _ : state) benchmark::DoNotOptimize(numora::ReadCallSeparator(buffer).text.data());
}
BENCHMARK(BM_CallSeparatorRead);

void BM_LocaleconvSeparator(benchmark::State& state) {
  for (auto _ : state) {
    const char* point = std::localeconv()->decimal_point;
    benchmark::DoNotOptimize(std::strlen(point));
  }
}
BENCHMARK(BM_LocaleconvSeparator);

}  // namespace
