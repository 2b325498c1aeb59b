// The host's calling pattern, SetFile + operation + GetFile, against the same pipeline built
// from glibc (strtold + the libm function + snprintf("%.15Lg") into a std::string).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "numora/numora.h"
#include "numtext/Text.h"

namespace {

const char* const kOperands[] = {"2", "0.5", "12345.678", "1e-5", "3.14159", "98765.4321e3"};
const char* const kPairs[] = {"2,0.5", "1.5,3.25", "10,-2.5", "7,1.1", "0.5,10", "3,0.333"};
// Sine arguments the processor takes directly, and ones the library reduces first.
const char* const kQuarterTurn[] = {"0.5", "1e-5", "0.785", "-0.3", "0.0123", "-0.7"};
const char* const kBeyondQuarterTurn[] = {"2",   "12345.678", "3.14159", "98765.4321e3",
                                          "-10", "1e18"};

template <void (*Operation)()>
void Ours(benchmark::State& state, const char* const (&operands)[6]) {
  std::size_t i = 0;
  const long before = numora::AllocationCount();
  for (auto _ : state) {
    SetFile(operands[i]);
    Operation();
    benchmark::DoNotOptimize(GetFile());
    if (++i == 6) i = 0;
  }
  state.counters["allocations_per_call"] = benchmark::Counter(
      static_cast<double>(numora::AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

template <long double (*Function)(long double)>
void Glibc(benchmark::State& state) {
  std::size_t i = 0;
  std::string reg;
  for (auto _ : state) {
    reg = kOperands[i];
    const long double x = std::strtold(reg.c_str(), nullptr);
    char out[64];
    const int n = std::snprintf(out, sizeof out, "%.15Lg", Function(x));
    reg.assign(out, static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(reg.data());
    if (++i == 6) i = 0;
  }
}

void GlibcPower(benchmark::State& state) {
  std::size_t i = 0;
  std::string reg;
  for (auto _ : state) {
    reg = kPairs[i];
    char* end;
    const long double a = std::strtold(reg.c_str(), &end);
    const long double b = std::strtold(end + 1, nullptr);
    char out[64];
    const int n = std::snprintf(out, sizeof out, "%.15Lg", powl(a, b));
    reg.assign(out, static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(reg.data());
    if (++i == 6) i = 0;
  }
}

long double SqrtL(long double x) { return sqrtl(x); }
long double SinL(long double x) { return sinl(x); }
long double LogL(long double x) { return logl(x); }
long double ExpL(long double x) { return expl(x); }

void BM_Ours_Sqrt(benchmark::State& s) { Ours<Get_Sqrt>(s, kOperands); }
void BM_Ours_Sin(benchmark::State& s) { Ours<Get_Sin>(s, kOperands); }
void BM_Ours_Ln(benchmark::State& s) { Ours<Get_Ln>(s, kOperands); }
void BM_Ours_Power(benchmark::State& s) { Ours<Get_Power>(s, kPairs); }
void BM_Ours_Exp(benchmark::State& s) { Ours<Get_Exp>(s, kOperands); }
void BM_Ours_Sin_QuarterTurn(benchmark::State& s) { Ours<Get_Sin>(s, kQuarterTurn); }
void BM_Ours_Sin_BeyondQuarterTurn(benchmark::State& s) { Ours<Get_Sin>(s, kBeyondQuarterTurn); }
void BM_Glibc_Sqrt(benchmark::State& s) { Glibc<SqrtL>(s); }
void BM_Glibc_Sin(benchmark::State& s) { Glibc<SinL>(s); }
void BM_Glibc_Ln(benchmark::State& s) { Glibc<LogL>(s); }
void BM_Glibc_Power(benchmark::State& s) { GlibcPower(s); }
void BM_Glibc_Exp(benchmark::State& s) { Glibc<ExpL>(s); }

BENCHMARK(BM_Ours_Sqrt);
BENCHMARK(BM_Glibc_Sqrt);
BENCHMARK(BM_Ours_Sin);
BENCHMARK(BM_Glibc_Sin);
BENCHMARK(BM_Ours_Ln);
BENCHMARK(BM_Glibc_Ln);
BENCHMARK(BM_Ours_Power);
BENCHMARK(BM_Glibc_Power);
BENCHMARK(BM_Ours_Exp);
BENCHMARK(BM_Glibc_Exp);
BENCHMARK(BM_Ours_Sin_QuarterTurn);
BENCHMARK(BM_Ours_Sin_BeyondQuarterTurn);

}  // namespace
