#!/usr/bin/env bash
# A Windows zip as a host author meets it: the package target makes it, it unpacks to the
# listed files, the DLL inside (stripped, its debug information beside it) has the 79 exports
# with their ordinals and imports only what it should, the DLL test passes against that DLL
# under Wine, the example hosts build with MinGW from the zip alone (one loading the DLL and
# catching its error, one linked through the import library) and run, the MSVC import
# library names the decorated symbols, and numora.exe runs.
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
expected=$(printf '%s\n' LICENSE Numora.def Numora.dll Numora.dll.debug README.txt \
                         include/numora/numora.h include/numora/numora_exports.h \
                         lib/libNumora.dll.a lib/Numora.lib numora.exe examples/loading_host.c \
                         examples/linked_host.c operations.md | sort)
[[ "$listed" == "$expected" ]] || fail "the zip holds: $(tr '\n' ' ' <<<"$listed")"
grep -q "0x0EEDFADE" "$work/$name/README.txt" || fail "README.txt says nothing of the errors"
grep -q "__stdcall" "$work/$name/README.txt" || fail "README.txt says nothing of __stdcall"

"$source_dir/scripts/check-windows-dll.sh" "$work/$name/Numora.dll" "$work/$name/Numora.def" \
  "$prefix" "$work/$name/Numora.dll.debug" || fail "the DLL in the zip"
"${prefix}objdump" -h "$work/$name/Numora.dll" | grep -q "gnu_debuglink" ||
  fail "the DLL does not name its debug file"
! "${prefix}objdump" -h "$work/$name/Numora.dll" | grep -q "debug_info" ||
  fail "the DLL is not stripped"
"${prefix}objdump" -h "$work/$name/Numora.dll.debug" | grep -q "debug_info" ||
  fail "Numora.dll.debug holds no debug information"

# The import libraries: on 32-bit the header's decorated names, mapped to the plain exports.
if [[ "$bits" == 32 ]]; then decorated=(_Get_Sqrt@0 _SetFile@4 _GetFile@0); else decorated=(Get_Sqrt SetFile GetFile); fi
for library in lib/Numora.lib lib/libNumora.dll.a; do
  symbols=$(llvm-nm-14 "$work/$name/$library" 2>/dev/null)
  for symbol in "${decorated[@]}"; do
    grep -qE "(^| )(__imp_)?$symbol\$" <<<"$symbols" || fail "$library lacks $symbol"
  done
done

# The example hosts, built as a host author would from the zip alone, warnings as errors.
(
  cd "$work/$name" &&
    "${prefix}gcc" -Wall -Wextra -Werror -I include examples/loading_host.c -o loading_host.exe &&
    "${prefix}gcc" -Wall -Wextra -Werror -I include examples/linked_host.c -L lib -lNumora \
      -o linked_host.exe &&
    "${prefix}gcc" -Wall -Wextra -Werror -I include examples/linked_host.c lib/Numora.lib \
      -o linked_msvc_library.exe
) >"$work/examples.log" 2>&1 || { cat "$work/examples.log"; fail "the example hosts do not build"; }
# Either import library makes the program import the DLL's plain names.
for program in linked_host.exe linked_msvc_library.exe; do
  imported=$("${prefix}objdump" -p "$work/$name/$program" 2>/dev/null |
    sed -n '/DLL Name: Numora.dll/,/^$/p' | awk 'NF == 3 && $2 ~ /^[0-9]+$/ {print $3}' | sort | tr '\n' ' ')
  [[ "$imported" == "Dec_To_Hex GetFile GetShortInfo Get_Sqrt SetFile " ]] ||
    fail "$program imports '$imported' from Numora.dll"
done
run_here() { (cd "$work/$name" && "$source_dir/scripts/wine-run.sh" "$bits" "$@" 2>/dev/null | tr -d '\r'); }
# Where this machine runs the architecture's programs (the DLL test below says so otherwise).
if [[ -f "$work/$name/loading_host.exe" ]] && "$source_dir/scripts/wine-run.sh" "$bits" >/dev/null; then
  loaded=$(run_here ./loading_host.exe)
  [[ "$loaded" == *"sqrt 2 = 1.4142135623731"* && "$loaded" == *"power 2,10 = 1024"* &&
     "$loaded" == *"sqrt abc failed: EConvertError: 'abc' is not a valid floating point value (the register keeps abc)"*"sqrt 16 = 4"*"power 2,x failed: EConvertError: 'x' is not"* ]] ||
    fail "the loading host printed: $loaded"
  for program in linked_host.exe linked_msvc_library.exe; do
    linked=$(run_here "./$program")
    [[ "$linked" == *"sqrt 2 = 1.4142135623731"*"dec_to_hex 255 = FF"*"DravikNumora++"* ]] ||
      fail "$program printed: $linked"
  done
  [[ "$(run_here ./numora.exe sqrt 2)" == "1.4142135623731" ]] || fail "numora.exe sqrt 2"
fi

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
