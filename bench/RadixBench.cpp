// The text-to-text radix conversions stay linear in the length of their input.
#include <benchmark/benchmark.h>

#include <string>

#include "numora/numora.h"

namespace {

template <void (*Operation)()>
void Convert(benchmark::State& state, char digit) {
  const std::string text(static_cast<std::size_t>(state.range(0)), digit);
  for (auto _ : state) {
    SetFile(text.c_str());
    Operation();
    benchmark::DoNotOptimize(GetFile());
  }
  state.SetComplexityN(state.range(0));
}

void BM_Hex_To_Bin(benchmark::State& s) { Convert<Hex_To_Bin>(s, 'A'); }
void BM_Bin_To_Hex(benchmark::State& s) { Convert<Bin_To_Hex>(s, '1'); }
void BM_Bin_To_Oct(benchmark::State& s) { Convert<Bin_To_Oct>(s, '1'); }
void BM_Oct_To_Dec(benchmark::State& s) { Convert<Oct_To_Dec>(s, '7'); }

BENCHMARK(BM_Hex_To_Bin)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(BM_Bin_To_Hex)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(BM_Bin_To_Oct)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(BM_Oct_To_Dec)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);

}  // namespace
