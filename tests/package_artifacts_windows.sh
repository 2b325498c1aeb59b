#!/usr/bin/env bash
# A Windows zip as a host author meets it: the package target makes it, it unpacks to the
# listed files, the DLL inside has the 79 exports with their ordinals and imports only what
# it should, and the DLL test passes against that DLL under Wine.
#   tests/package_artifacts_windows.sh SOURCE_DIR BUILD_DIR VERSION 32|64 DLL_TEST_PROGRAM
set -u
source_dir=$1 build_dir=$2 version=$3 bits=$4 dll_test=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
if [[ "$bits" == 32 ]]; then suffix=win32 prefix=i686-w64-mingw32-; else suffix=win64 prefix=x86_64-w64-mingw32-; fi

cmake --build "$build_dir" --target package >"$work/package.log" 2>&1 ||
  { cat "$work/package.log"; echo "FAIL: the package target"; exit 1; }
name=Numora-$version-$suffix
zip=$build_dir/$name.zip
[[ -f "$zip" ]] || { echo "FAIL: no $zip"; exit 1; }

unzip -q "$zip" -d "$work" || fail "unzip"
listed=$(cd "$work/$name" && find . -type f | sed 's|^\./||' | sort)
expected=$(printf '%s\n' LICENSE Numora.def Numora.dll README.txt include/numora/numora.h \
                         include/numora/numora_exports.h operations.md | sort)
[[ "$listed" == "$expected" ]] || fail "the zip holds: $(tr '\n' ' ' <<<"$listed")"
grep -q "0x0EEDFADE" "$work/$name/README.txt" || fail "README.txt says nothing of the errors"
grep -q "__stdcall" "$work/$name/README.txt" || fail "README.txt says nothing of __stdcall"

"$source_dir/scripts/check-windows-dll.sh" "$work/$name/Numora.dll" "$work/$name/Numora.def" \
  "$prefix" || fail "the DLL in the zip"

# The DLL test, loading the zip's DLL by name from the unpacked folder.
(cd "$work/$name" && "$source_dir/scripts/wine-run.sh" "$bits" "$dll_test") >"$work/dll.log" 2>&1
status=$?
if ((status == 77)); then
  cat "$work/dll.log"
  ((failures)) && exit 1
  exit 77
fi
((status == 0)) || { tail -30 "$work/dll.log"; fail "the DLL test against the zip's DLL"; }

if ((failures)); then
  echo "$failures failed"
  exit 1
fi
echo "$name.zip is as a host author expects"
