#!/usr/bin/env bash
# Runs a Windows program under Wine: scripts/wine-run.sh 32|64 PROGRAM [ARGS...]
# Without a program it only says whether that architecture's programs can run here.
# Each architecture has its own loader; /usr/bin/wine would take the 32-bit one for both.
# Exits 77 (a skipped test) when 32-bit programs cannot run on this machine.
set -euo pipefail
bits=$1
shift
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
skip=77

export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}

if [[ "$bits" == 32 ]]; then
  loader=$wine32
  if [[ ! -x "$loader" ]]; then
    echo "skipped: wine32 is not installed (scripts/install-dependencies.sh installs wine32:i386)"
    exit $skip
  fi
  if ! "$loader" --version >/dev/null 2>&1; then
    echo "skipped: this machine cannot run 32-bit programs ($loader does not start)"
    exit $skip
  fi
else
  loader=$wine64
fi
export WINELOADER=$loader
(($#)) || exit 0

# One prefix serves both architectures; it is made once, by one process at a time.
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
      "$wine64" wineboot --init >/dev/null 2>&1 || true
      wineserver -w || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$loader" "$@"
