// Every layer a Linux user touches, through the shared library as they load it: the register
// protocol (SetFile + Get_Sqrt + GetFile), NumoraRun with each spelling of the name (its calls
// serialised on the shared state), NumoraCall with the name resolved once, and NumoraRunIn on
// a context of the caller's own. The ratios to the register protocol are the cost of each
// layer. The thread benchmarks give the throughput of N threads, each on its own context or
// all on the shared state, in calls per second of real time.
#include <benchmark/benchmark.h>

#include "numora/numora.h"

namespace {

const char* const kOperands[] = {"2", "0.5", "12345.678", "1e-5", "3.14159", "98765.4321e3"};

void BM_Layer_RegisterProtocol(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    SetFile(kOperands[i]);
    Get_Sqrt();
    benchmark::DoNotOptimize(GetFile());
    if (++i == 6) i = 0;
  }
}

void BM_Layer_NumoraRun(benchmark::State& state, const char* name) {
  std::size_t i = 0;
  NumoraOutcome outcome;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumoraRun(name, kOperands[i], &outcome));
    benchmark::DoNotOptimize(outcome.text);
    if (++i == 6) i = 0;
  }
}

void BM_Layer_NumoraCall(benchmark::State& state) {
  const NumoraOperation* sqrt = NumoraFind("sqrt");
  std::size_t i = 0;
  NumoraOutcome outcome;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumoraCall(sqrt, kOperands[i], &outcome));
    benchmark::DoNotOptimize(outcome.text);
    if (++i == 6) i = 0;
  }
}

void BM_Layer_NumoraRunIn(benchmark::State& state) {
  NumoraContext* context = NumoraOpen();
  std::size_t i = 0;
  NumoraOutcome outcome;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumoraRunIn(context, "sqrt", kOperands[i], &outcome));
    benchmark::DoNotOptimize(outcome.text);
    if (++i == 6) i = 0;
  }
  NumoraClose(context);
}

void BM_Threads_OnContexts(benchmark::State& state) {
  NumoraContext* context = NumoraOpen();
  const NumoraOperation* sqrt = NumoraFind("sqrt");
  std::size_t i = 0;
  NumoraOutcome outcome;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumoraCallIn(context, sqrt, kOperands[i], &outcome));
    if (++i == 6) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  NumoraClose(context);
}

void BM_Threads_SharedState(benchmark::State& state) {
  const NumoraOperation* sqrt = NumoraFind("sqrt");
  std::size_t i = 0;
  NumoraOutcome outcome;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumoraCall(sqrt, kOperands[i], &outcome));
    if (++i == 6) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Layer_NumoraFind(benchmark::State& state, const char* name) {
  for (auto _ : state) benchmark::DoNotOptimize(NumoraFind(name));
}

BENCHMARK(BM_Layer_RegisterProtocol);
BENCHMARK_CAPTURE(BM_Layer_NumoraRun, sqrt, "sqrt");
BENCHMARK_CAPTURE(BM_Layer_NumoraRun, Get_Sqrt, "Get_Sqrt");
BENCHMARK_CAPTURE(BM_Layer_NumoraRun, GET_SQRT, "GET_SQRT");
BENCHMARK(BM_Layer_NumoraCall);
BENCHMARK(BM_Layer_NumoraRunIn);
BENCHMARK(BM_Threads_OnContexts)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK(BM_Threads_SharedState)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK_CAPTURE(BM_Layer_NumoraFind, sqrt, "sqrt");
BENCHMARK_CAPTURE(BM_Layer_NumoraFind, Get_SimpleRoundTo, "Get_SimpleRoundTo");

}  // namespace
