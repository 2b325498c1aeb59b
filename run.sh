#!/usr/bin/env bash
# Builds the library and the host, then runs one operation: ./run.sh sqrt 2
set -euo pipefail
cd "$(dirname "$0")"
NUMORA_WINDOWS=0 scripts/install-dependencies.sh >&2
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Quiet when the build works; the compiler's messages when it does not.
if ! { cmake --preset linux && cmake --build build/linux --target numora numora_host; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run.sh: the build failed" >&2
  exit 1
fi
rm -f "$log"
trap - EXIT
exec build/linux/numora "$@"
