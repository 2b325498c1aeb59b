#!/usr/bin/env bash
# The Windows builds: both DLLs built, inspected and tested under Wine, one Wine process at
# a time (the test presets run serially); the 32-bit tests are skipped where 32-bit programs
# cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
for preset in mingw-x86 mingw-x64; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  if [[ "$preset" == mingw-x86 ]]; then scripts/wine-run.sh 32 || true; fi
  ctest --preset "$preset"
done
