#!/usr/bin/env bash
# Runs each libFuzzer target for a bounded time on a copy of its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset linux-fuzz >/dev/null
targets=(fuzz_real_text fuzz_int_text fuzz_entry_points fuzz_two_operands)
cmake --build --preset linux-fuzz -j "$(nproc)" --target "${targets[@]}"
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  work=build/linux-fuzz/corpus/$name
  mkdir -p "$work"
  cp -n tests/fuzz/corpus/$name/* "$work"/ 2>/dev/null || true
  echo "== $target ($seconds s)"
  mkdir -p build/linux-fuzz/artifacts
  set +e
  build/linux-fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix=build/linux-fuzz/artifacts/ "$work" \
    >build/linux-fuzz/$target.log 2>&1
  status=$?
  set -e
  grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Test unit written" build/linux-fuzz/$target.log || true
  if [[ $status -ne 0 ]]; then
    echo "$target found a failing input (see build/linux-fuzz/artifacts)"; exit 1
  fi
done
