#!/usr/bin/env bash
# Compiles a de_DE.UTF-8 locale (separator ",") into a temporary folder and runs the locale
# test program with it, in both of its orders.   tests/locale_change.sh PROGRAM LIBRARY
set -euo pipefail
program=$1 library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# localedef exits 1 on warnings about the locale source; the compiled locale is what counts.
localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" >/dev/null 2>&1 || true
if [[ ! -e "$work/de_DE.UTF-8/LC_NUMERIC" ]]; then
  echo "FAIL: localedef could not compile de_DE.UTF-8 (package locales)"
  exit 1
fi
LOCPATH=$work "$program" "$library" switch
LOCPATH=$work "$program" "$library" first
