#!/usr/bin/env bash
# The Windows builds: the 32-bit DLL is built and inspected, the 64-bit DLL and its tests
# run under Wine (64-bit only; one Wine process at a time).
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
jobs=$(nproc)

echo "== mingw-x86"
cmake --preset mingw-x86 >/dev/null
cmake --build --preset mingw-x86 -j "$jobs"
ctest --preset mingw-x86

echo "== mingw-x64"
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 -j "$jobs"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w || true
fi
ctest --preset mingw-x64
