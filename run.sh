#!/usr/bin/env bash
# Builds the library and the host, then runs one operation: ./run.sh sqrt 2
set -euo pipefail
cd "$(dirname "$0")"
NUMORA_WINDOWS=0 scripts/install-dependencies.sh >&2
cmake --preset linux >/dev/null
cmake --build build/linux --target numora numora_host >/dev/null
exec build/linux/numora "$@"
