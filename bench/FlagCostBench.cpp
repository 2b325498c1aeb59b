// What an exception flag costs on this processor: a square root that raises the inexact flag
// while it stands, one that raises it after a clear, and a clear followed by an exact root.
// The difference between the last two is the price of raising a flag that was clear, which
// the library avoids where the flags after a call come out the same.
#include <benchmark/benchmark.h>

namespace {

inline long double SquareRoot(long double x) {
  asm volatile("fsqrt" : "+t"(x));
  return x;
}

void BM_X87_Root(benchmark::State& state, bool clear_each_time, long double operand) {
  asm volatile("fnclex");
  benchmark::DoNotOptimize(SquareRoot(3.0L));  // the inexact flag now stands
  for (auto _ : state) {
    if (clear_each_time) asm volatile("fnclex");
    benchmark::DoNotOptimize(operand);
    benchmark::DoNotOptimize(SquareRoot(operand));
  }
}

BENCHMARK_CAPTURE(BM_X87_Root, RaisingStandingFlag, false, 3.0L);
BENCHMARK_CAPTURE(BM_X87_Root, ClearThenRaisingFlag, true, 3.0L);
BENCHMARK_CAPTURE(BM_X87_Root, ClearThenExact, true, 4.0L);

}  // namespace
