#!/usr/bin/env bash
# Inspects a Numora.dll with objdump: library name, the 79 exports by name and ordinal,
# imports from KERNEL32 and the C runtime only, our entry function, the version record; on 32-bit also
# the __stdcall convention (Draw pops its one argument). A stripped DLL's symbols are read from
# its debug file, the optional fourth argument.
set -euo pipefail
dll=$1 def=$2 prefix=$3 symbols=${4:-$1}
objdump=${prefix}objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
dump=$("$objdump" -p "$dll")

grep -q "^Name .*Numora.dll" <<<"$dump" || fail "export directory does not name Numora.dll"
if [[ "$prefix" == i686* ]]; then
  "$objdump" -f "$dll" | grep -q "file format pei-i386" || fail "not a PE32 i386 image"
  grep -q "^Magic\s*010b\s*(PE32)" <<<"$dump" || fail "not PE32"
  grep -qx "\s*DLL" <<<"$dump" || fail "not a DLL"
fi
# The version record's strings (UTF-16 in the resource section).
version_strings=$(strings -el "$dll")
for want in "FileVersion" "1.0.1.0" "ProductVersion" "1.0.0.0" "InternalName" "ProductName" \
            "DravikNumora++" "040904E4"; do
  grep -qx -- "$want" <<<"$version_strings" || fail "version record lacks \"$want\""
done

# Export table: "[ index] Name" lines; ordinal = index + base (1).
actual=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
  sed -n 's/^\s*\[ *\([0-9]*\)\] \(.*\)$/\2 @\1/p' | awk '{sub("@","",$2); print $1, "@" $2 + 1}' | sort)
expected=$(sed -n 's/^ *\([A-Za-z0-9_]*\) @\([0-9]*\)$/\1 @\2/p' "$def" | sort)
[[ "$actual" == "$expected" ]] || fail "exports differ from $def: $(diff <(echo "$expected") <(echo "$actual") | head -5)"
[[ $(wc -l <<<"$actual") -eq 79 ]] || fail "not 79 exports"
grep -q "@[0-9]*@" <<<"$actual" && fail "decorated export names"

imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr 'a-z' 'A-Z' | sort -u | tr '\n' ' ')
for dll_name in $imports; do
  case "$dll_name" in
    KERNEL32.DLL|MSVCRT.DLL) ;;  # USER32 and GDI32 are loaded at first use
    *) fail "imports $dll_name" ;;
  esac
done

entry=$(sed -n 's/^AddressOfEntryPoint\s*//p' <<<"$dump")
base=$(sed -n 's/^ImageBase\s*//p' <<<"$dump")
symbol=$("${prefix}nm" "$symbols" | grep -E " T _?NumoraDllEntry(@12)?$" | cut -d' ' -f1 || true)
if [[ -n "$symbol" ]]; then
  [[ $((16#$symbol)) -eq $((16#$base + 16#$entry)) ]] || fail "entry point is not NumoraDllEntry"
else
  fail "NumoraDllEntry not found"
fi

"$objdump" -h "$dll" | grep -q "\.rsrc" || fail "no version record (.rsrc)"

if [[ "$prefix" == i686* ]]; then
  draw=$(sed -n 's/^\s*\[ *\([0-9]*\)\] Draw$/\1/p' <<<"$dump")
  # Disassembled from the DLL itself at the address its symbols give.
  address=$("${prefix}nm" "$symbols" | sed -n 's/^\([0-9a-f]*\) T _Draw@4$/\1/p')
  [[ -n "$address" ]] && "$objdump" -d --start-address=0x$address \
      --stop-address=$((16#$address + 64)) "$dll" | awk '/ret/ {print; exit}' | grep -q 'ret\s*\$0x4' ||
    fail "Draw does not pop its argument (__stdcall)"
  : "$draw"
fi

echo "$dll: $(wc -l <<<"$actual") exports, imports: $imports"
exit $((failures > 0))
