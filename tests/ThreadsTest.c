/* Threads: 4 threads make 100,000 mixed calls each (several operations, errors among them), on
   contexts of their own in both angle units, and on the shared state through NumoraRun; every
   result must be the one a single thread gets. Run under ThreadSanitizer too.
     numora_threads_test [CALLS_PER_THREAD] */
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "numora/numora.h"

enum { kThreads = 4, kUnits = 2 };

typedef struct {
  const char* operation;
  const char* operand;
  int reads_unit; /* a trigonometric or hyperbolic operand: its result depends on the unit */
} Case;

static const Case kCases[] = {
    {"sqrt", "2", 0},
    {"power", "2.5,3", 0},
    {"ln", "0.5", 0},
    {"sin", "1", 1},
    {"cos", "60", 1},
    {"tanh", "0.75", 1},
    {"asin", "0.5", 1},
    {"Dec_To_Hex", "255", 0},
    {"hex_to_dec", "FF", 0},
    {"sqrt", "abc", 0},
    {"power", "x,2", 0},
    {"logn", "10,1000", 0},
    {"exp", "1.5", 0},
    {"atan", "1", 1},
    {"intpower", "1.0001,100000", 0},
    {"roundto", "1234.5678,-2", 0},
    {"oct_to_dec", "777", 0},
    {"not_an_operation", "1", 0},
    {"sqrt", "-1", 0},
    {"cot", "45", 1},
    {"ldexp", "1.5,-16446", 0},
};
enum { kCaseCount = sizeof kCases / sizeof kCases[0] };
static const char* const kUnitNames[kUnits] = {"RAD", "DEG"};

/* What one thread alone gets: the status and the text or message. */
typedef struct {
  int status;
  char text[64];
} Result;
static Result expected[kUnits][kCaseCount];
static long calls_per_thread = 100000;

static void Keep(Result* result, int status, const NumoraOutcome* o) {
  result->status = status;
  snprintf(result->text, sizeof result->text, "%s", status == 0 ? o->text : o->message);
}

static int Same(const Result* a, int status, const NumoraOutcome* o) {
  return a->status == status && strcmp(a->text, status == 0 ? o->text : o->message) == 0;
}

/* A thread on its own context: the unit changes every 13 calls. */
static void* OnContext(void* arg) {
  const long thread = (long)arg;
  NumoraContext* context = NumoraOpen();
  long mismatches = 0;
  int unit = -1;
  for (long i = 0; i < calls_per_thread; ++i) {
    const int want_unit = (int)((i / 13 + thread) % kUnits);
    NumoraOutcome o;
    if (want_unit != unit) {
      NumoraRunIn(context, "Set_Angle_Measurement", kUnitNames[want_unit], &o);
      unit = want_unit;
    }
    const int c = (int)((i * 7 + thread) % kCaseCount);
    const int status = NumoraRunIn(context, kCases[c].operation, kCases[c].operand, &o);
    if (!Same(&expected[unit][c], status, &o)) ++mismatches;
  }
  NumoraClose(context);
  return (void*)mismatches;
}

/* A thread on the shared state: one unit for all, so only the cases that do not read it. */
static void* OnSharedState(void* arg) {
  const long thread = (long)arg;
  long mismatches = 0;
  for (long i = 0; i < calls_per_thread; ++i) {
    const int c = (int)((i * 7 + thread) % kCaseCount);
    if (kCases[c].reads_unit) continue;
    NumoraOutcome o;
    const int status = NumoraRun(kCases[c].operation, kCases[c].operand, &o);
    if (!Same(&expected[0][c], status, &o)) ++mismatches;
  }
  return (void*)mismatches;
}

static long RunThreads(void* (*body)(void*)) {
  pthread_t threads[kThreads];
  for (long t = 0; t < kThreads; ++t) pthread_create(&threads[t], NULL, body, (void*)t);
  long mismatches = 0;
  for (int t = 0; t < kThreads; ++t) {
    void* result;
    pthread_join(threads[t], &result);
    mismatches += (long)result;
  }
  return mismatches;
}

int main(int argc, char** argv) {
  if (argc > 1) calls_per_thread = atol(argv[1]);
  NumoraContext* alone = NumoraOpen();
  if (alone == NULL) return 2;
  for (int unit = 0; unit < kUnits; ++unit) {
    NumoraOutcome o;
    NumoraRunIn(alone, "Set_Angle_Measurement", kUnitNames[unit], &o);
    for (int c = 0; c < kCaseCount; ++c) {
      Keep(&expected[unit][c], NumoraRunIn(alone, kCases[c].operation, kCases[c].operand, &o), &o);
    }
  }
  NumoraClose(alone);
  /* The shared state in radians, as after load. */
  const long on_contexts = RunThreads(OnContext);
  const long on_shared = RunThreads(OnSharedState);
  printf("%d threads x %ld calls: %ld mismatches on contexts, %ld on the shared state\n", kThreads,
         calls_per_thread, on_contexts, on_shared);
  return on_contexts == 0 && on_shared == 0 ? 0 : 1;
}
