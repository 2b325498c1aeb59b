#!/usr/bin/env bash
# Runs each libFuzzer target for a bounded time on a copy of its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset linux-fuzz >/dev/null
cmake --build --preset linux-fuzz -j "$(nproc)" --target fuzz_real_text fuzz_int_text fuzz_entry_points
for target in fuzz_real_text fuzz_int_text fuzz_entry_points; do
  name=${target#fuzz_}
  work=build/linux-fuzz/corpus/$name
  mkdir -p "$work"
  cp -n tests/fuzz/corpus/$name/* "$work"/ 2>/dev/null || true
  echo "== $target ($seconds s)"
  build/linux-fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 "$work" 2>&1 | grep -E "stat::number_of_executed_units|ERROR|SUMMARY|crash-" || true
  if ls crash-* leak-* timeout-* >/dev/null 2>&1; then
    echo "$target found a failing input"; exit 1
  fi
done
