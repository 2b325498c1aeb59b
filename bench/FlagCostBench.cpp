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

void BM_X87_RootRaisingStandingFlag(benchmark::State& state) {
  long double three = 3.0L;
  asm volatile("fnclex");
  benchmark::DoNotOptimize(SquareRoot(three));  // the inexact flag now stands
  for (auto _ : state) {
    benchmark::DoNotOptimize(three);
    benchmark::DoNotOptimize(SquareRoot(three));
  }
}

void BM_X87_ClearThenRootRaisingFlag(benchmark::State& state) {
  long double three = 3.0L;
  for (auto _ : state) {
    asm volatile("fnclex");
    benchmark::DoNotOptimize(three);
    benchmark::DoNotOptimize(SquareRoot(three));
  }
}

void BM_X87_ClearThenExactRoot(benchmark::State& state) {
  long double four = 4.0L;
  for (auto _ : state) {
    asm volatile("fnclex");
    benchmark::DoNotOptimize(four);
    benchmark::DoNotOptimize(SquareRoot(four));
  }
}

BENCHMARK(BM_X87_RootRaisingStandingFlag);
BENCHMARK(BM_X87_ClearThenRootRaisingFlag);
BENCHMARK(BM_X87_ClearThenExactRoot);

}  // namespace
