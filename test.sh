#!/usr/bin/env bash
# ./test.sh        builds every preset and runs all tests
# ./test.sh fuzz   runs the fuzz targets for a bounded time
# ./test.sh soak   runs the soak benchmark
# ./test.sh sweep N [SEED]   the random sweep against mpmath, N cases (Linux build)
set -euo pipefail
cd "$(dirname "$0")"
mode="${1:-all}"
scripts/install-dependencies.sh
scripts/check-dependencies.sh
jobs=$(nproc)

build_and_test() {
  local preset=$1
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
}

case "$mode" in
  all)
    build_and_test linux
    build_and_test linux-asan
    build_and_test linux-tsan
    echo "== linux-fuzz"
    scripts/fuzz.sh 5  # each fuzz target briefly; ./test.sh fuzz runs them longer
    if [[ -x scripts/test-windows.sh ]]; then scripts/test-windows.sh; fi
    ;;
  fuzz) scripts/fuzz.sh "${2:-60}" ;;
  soak)
    cmake --preset linux >/dev/null
    cmake --build --preset linux --target numora_soak -j "$jobs"
    build/linux/bench/numora_soak
    ;;
  sweep)
    cmake --preset linux >/dev/null
    cmake --build --preset linux --target numora numora_sweep_driver -j "$jobs"
    /usr/bin/python3 scripts/sweep.py --cases "${2:-1000000}" --seed "${3:-1}" \
      --driver build/linux/tests/numora_sweep_driver --library build/linux/libnumora.so
    ;;
  *) echo "usage: $0 [fuzz [seconds]|soak|sweep [cases [seed]]]" >&2; exit 2 ;;
esac
