#!/usr/bin/env bash
# The numora host end to end: one-shot calls, line mode, errors, faults, listing.
set -u
host=$1
failures=0
expect() {  # expect "<expected output>" command...
  local want=$1; shift
  local got
  got=$("$@" 2>&1)
  if [[ "$got" != "$want" ]]; then
    echo "FAIL: $*"; echo "  want: $want"; echo "  got:  $got"
    failures=$((failures + 1))
  fi
}
expect "1.4142135623731" "$host" sqrt 2
expect "1.4142135623731" "$host" Get_Sqrt 2
expect "FF" "$host" dec_to_hex 255
expect "1024" "$host" POWER 2,10
expect "3.14159265358979" "$host" pi
expect "1" "$host" --unit deg sin 90
expect "error: EConvertError: 'abc' is not a valid floating point value" "$host" sqrt abc
expect "error: floating-point fault: invalid operation" "$host" --fpu-cw 37E sqrt -1
expect "NAN" "$host" sqrt -1
expect "error: unknown operation 'frobnicate' (numora --list shows them)" "$host" frobnicate 1
expect "$(printf '4\n2\nerror: EConvertError: '"'"'x'"'"' is not a valid floating point value\n1.4142135623731')" \
  bash -c "printf 'sqrt 16\nsqrt\nsqrt x\nsqrt 2\n' | '$host'"
expect "$(printf 'DravikNumora++\nDravikNumora++ form Dravik PlugIns pack v1.0\r\n\r')" \
  bash -c "'$host' --info | head -3"
expect "12 Dec_To_Hex" bash -c "'$host' --list | grep Dec_To_Hex"
expect "79" bash -c "'$host' --list | wc -l"
expect "79 SetFile" bash -c "'$host' --list | tail -1"
"$host" sqrt >/dev/null 2>&1 && { echo "FAIL: empty operand accepted"; failures=$((failures + 1)); }
exit $((failures > 0))
