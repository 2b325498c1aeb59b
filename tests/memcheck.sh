#!/usr/bin/env bash
# The case tables and a sample of the random sweep through the library under valgrind's
# memcheck: a read of an undefined value, an invalid access or a leak fails. Memcheck computes
# the x87 in 64 bits and delivers no unmasked fault, so only its verdict counts, not the texts.
#   tests/memcheck.sh SOURCE_DIR NUMORA_TESTS SWEEP_DRIVER LIBRARY PYTHON
set -euo pipefail
source_dir=$1 tests=$2 driver=$3 library=$4 python=$5
memcheck=(valgrind --quiet --error-exitcode=99 --leak-check=full
          --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect
          --show-mismatched-frees=no)  # the test program counts its blocks in its own new and delete
echo "== case tables"
NUMORA_MEMCHECK=1 "${memcheck[@]}" "$tests" --gtest_filter='Cases/CaseTable.*' --gtest_brief=1
echo "== sweep sample"
cases=$(mktemp)
trap 'rm -f "$cases"' EXIT
"$python" "$source_dir/scripts/sweep.py" --list --cases 20000 --seed 1 >"$cases"
"${memcheck[@]}" "$driver" "$library" <"$cases" >/dev/null
echo "memcheck: no errors"
