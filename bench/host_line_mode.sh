#!/usr/bin/env bash
# The host's line mode beside bc -l on the same 200,000 square roots (scale=15), best of 3
# runs each, in one sitting.   bench/host_line_mode.sh build/linux/numora [LINES]
set -euo pipefail
host=$1 lines=${2:-200000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$lines" 'BEGIN { srand(1); for (i = 0; i < n; ++i) printf "%.6f\n", rand() * 1e6 }' \
  >"$work/roots"
sed 's/^/sqrt /' "$work/roots" >"$work/numora.in"
{ echo "scale=15"; sed 's/^\(.*\)$/sqrt(\1)/' "$work/roots"; } >"$work/bc.in"
best() {  # best of 3 wall times in seconds of: command < input > /dev/null
  local input=$1 t fastest=
  shift
  for _ in 1 2 3; do
    t=$( { /usr/bin/time -f %e "$@" <"$input" >/dev/null; } 2>&1 | tail -1)
    if [[ -z "$fastest" ]] || awk -v a="$t" -v b="$fastest" 'BEGIN { exit !(a < b) }'; then
      fastest=$t
    fi
  done
  echo "$fastest"
}
ours=$(best "$work/numora.in" "$host")
theirs=$(best "$work/bc.in" bc -l)
awk -v o="$ours" -v t="$theirs" -v n="$lines" 'BEGIN {
  printf "numora line mode: %.3f s (%.2f us a line)\n", o, o / n * 1e6
  printf "bc -l, scale=15:  %.3f s (%.2f us a line)\n", t, t / n * 1e6
  printf "numora is %.1fx faster\n", t / o }'
