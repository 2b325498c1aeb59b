#!/usr/bin/env bash
# The numora host end to end: one-shot calls, line mode, errors, faults, listing.
set -u
host=$1
failures=0
status_is() {  # status_is <expected exit status> command...
  local want=$1; shift
  "$@" >/dev/null 2>&1
  local got=$?
  if [[ $got != "$want" ]]; then
    echo "FAIL: exit status $got, want $want: $*"
    failures=$((failures + 1))
  fi
}
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
# Line mode: results on stdout, errors on stderr, exit 1 after a failed line; blank,
# whitespace-only and comment lines are skipped and never reach the register.
expect "$(printf '4\n2')" bash -c "printf 'sqrt 16\nsqrt x\nsqrt 4\n' | '$host' 2>/dev/null"
expect "error: EConvertError: 'x' is not a valid floating point value" \
  bash -c "printf 'sqrt 16\nsqrt x\nsqrt 4\n' | '$host' 2>&1 >/dev/null"
status_is 1 bash -c "printf 'sqrt 16\nsqrt x\nsqrt 4\n' | '$host'"
status_is 0 bash -c "printf 'sqrt 16\nsqrt 4\n' | '$host'"
expect "$(printf '1024\n32')" bash -c "printf 'power 2,10\n\n   \n\t\n# a comment\n  # another\nsqrt\n' | '$host'"
# Options: --version/-V, -h/--help, --unit=VALUE, --, and usage errors with the reason.
expect "numora 1.0.1" "$host" --version
expect "numora 1.0.1" "$host" -V
status_is 0 "$host" -h
status_is 0 "$host" --help
expect "1" "$host" --unit=deg sin 90
expect "1" "$host" --unit DEG sin 90
expect "2" "$host" --fpu-cw=0x37F -- sqrt 4
expect "$(printf "numora: invalid --unit 'foo' (RAD, DEG or GRAD)\n(numora --help shows the usage)")" \
  "$host" --unit foo sin 90
status_is 2 "$host" --unit foo sin 90
status_is 2 "$host" --fpu-cw zz sqrt 4
status_is 2 "$host" --fpu-cw 10000 sqrt 4
status_is 2 "$host" --frobnicate
status_is 2 "$host" --unit
status_is 2 "$host" sqrt 1 2
status_is 1 "$host" sqrt abc
status_is 0 "$host" sqrt -1
expect "$(printf 'DravikNumora++\nDravikNumora++ form Dravik PlugIns pack v1.0\r\n\r')" \
  bash -c "'$host' --info | head -3"
expect "Dec_To_Hex             12  n              a 32-bit integer to its two's-complement hexadecimal pattern" \
  bash -c "'$host' --list | grep Dec_To_Hex"
expect "Get_Sqrt               68  x              the square root of x" bash -c "'$host' --list | grep Get_Sqrt"
expect "79" bash -c "'$host' --list | wc -l"
expect "SetFile                79  text           copies a text into the register" \
  bash -c "'$host' --list | tail -1"
"$host" sqrt >/dev/null 2>&1 && { echo "FAIL: empty operand accepted"; failures=$((failures + 1)); }
exit $((failures > 0))
