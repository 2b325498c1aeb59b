#!/usr/bin/env bash
# The numora host end to end: one-shot calls, operand lines, line mode, errors, faults,
# listing, shell completion and the interactive mode at a pseudo-terminal.
#   host_end_to_end.sh HOST COMPLETION_DIR LINE_EDITING(ON|OFF)
set -u
host=$1
completion=${2:-}
line_editing=${3:-OFF}
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
expect "error: unknown operation 'getinfo' (numora --list shows them; --info the identity texts)" \
  "$host" getinfo
expect "$(printf '4\n2\n\nline 3: error: EConvertError: '"'"'x'"'"' is not a valid floating point value\n1.4142135623731')" \
  bash -c "printf 'sqrt 16\nsqrt\nsqrt x\nsqrt 2\n' | '$host'"
# Line mode: one stdout line per operation line, empty where it failed, its error on stderr
# after the line's number; exit 1 after a failed line; blank, whitespace-only and comment lines
# are skipped (but counted) and never reach the register.
expect "$(printf '2\n\n3')" bash -c "printf 'sqrt 4\nsqrt x\nsqrt 9\n' | '$host' 2>/dev/null"
expect "line 2: error: EConvertError: 'x' is not a valid floating point value" \
  bash -c "printf 'sqrt 4\nsqrt x\nsqrt 9\n' | '$host' 2>&1 >/dev/null"
expect "line 3: error: unknown operation 'sqr' (numora --list shows them)" \
  bash -c "printf '# roots\n\nsqr 4\n' | '$host' 2>&1 >/dev/null"
status_is 1 bash -c "printf 'sqrt 16\nsqrt x\nsqrt 4\n' | '$host'"
status_is 0 bash -c "printf 'sqrt 16\nsqrt 4\n' | '$host'"
expect "$(printf '1024\n32')" bash -c "printf 'power 2,10\n\n   \n\t\n# a comment\n  # another\nsqrt\n' | '$host'"
# A unit name the library does not know selects radians, and says so.
expect "$(printf "line 1: warning: 'degrees' is not RAD, DEG or GRAD: radians are selected\n0")" \
  bash -c "printf 'set_angle_measurement degrees\nsin 0\n' | '$host' 2>&1 >/dev/null; printf 'set_angle_measurement deg\n' | '$host' 2>&1 >/dev/null | wc -l"
# An operation without operand on a non-terminal stdin takes each line as its operand; one
# that reads nothing (pi) does not wait for stdin; an empty stdin leaves the empty operand.
expect "$(printf '1\n1.4142135623731\n1.73205080756888')" bash -c "seq 1 3 | '$host' sqrt"
expect "$(printf '2\n\n3')" bash -c "printf '4\nx\n9\n' | '$host' sqrt 2>/dev/null"
expect "line 2: error: EConvertError: 'x' is not a valid floating point value" \
  bash -c "printf '4\nx\n9\n' | '$host' sqrt 2>&1 >/dev/null"
status_is 1 bash -c "printf '4\nx\n9\n' | '$host' sqrt"
expect "$(printf '1024\n1E30')" bash -c "printf '2,10\n10,30\n' | '$host' power"
expect "3.14159265358979" bash -c "echo 16 | '$host' pi"
status_is 1 bash -c "'$host' sqrt </dev/null"
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
# --list names only what can be called: the 68 operations.
expect "68" bash -c "'$host' --list | wc -l"
expect "" bash -c "'$host' --list | grep -E '^(SetFile|GetFile|GetInfo|Draw) '"
expect "" bash -c "'$host' --list | awk '{print \$1}' | while read -r n; do '$host' \$n 1 </dev/null 2>&1 | grep -q 'unknown operation' && echo \$n; done"
"$host" sqrt </dev/null >/dev/null 2>&1 && { echo "FAIL: empty operand accepted"; failures=$((failures + 1)); }

# Shell completion, made from the export list: options, operation names and units.
if [[ -n "$completion" ]]; then
  bash_completes() {  # bash_completes "<words>" -> the completions of the last word
    bash -c 'source "$1"; COMP_WORDS=($2); [[ $2 == *" " ]] && COMP_WORDS+=(""); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _numora; echo "${COMPREPLY[*]}"' _ "$completion/numora.bash" "$1"
  }
  expect "complete -F _numora numora" bash -c "source '$completion/numora.bash'; complete -p numora"
  expect "sqrt" bash_completes "numora sq"
  expect "dec_to_hex" bash_completes "numora dec_to_h"
  expect "DEG" bash_completes "numora --unit D"
  expect "--unit" bash_completes "numora --un"
  expect "GRAD" bash_completes "numora set_angle_measurement G"
  expect "" bash_completes "numora sqrt "
  # Every operation name is offered, and each one offered can be called.
  expect "68" bash -c "source '$completion/numora.bash'; compgen -W \"\$(declare -f _numora | sed -n 's/.*operations=\"\(.*\)\";/\1/p')\" -- '' | wc -l"
  expect "1.4142135623731" bash -c "'$host' \$(source '$completion/numora.bash'; COMP_WORDS=(numora get_sqr); COMP_CWORD=1; _numora; echo \${COMPREPLY[0]:-sqrt}) 2"
  for shell_file in _numora numora.fish; do
    grep -q "dec_to_hex" "$completion/$shell_file" || { echo "FAIL: $shell_file lacks the names"; failures=$((failures + 1)); }
  done
  if command -v zsh >/dev/null; then zsh -n "$completion/_numora" || failures=$((failures + 1)); fi
  if command -v fish >/dev/null; then fish -n "$completion/numora.fish" || failures=$((failures + 1)); fi
fi

# At a terminal: a prompt, completion of names and units (Tab), history (Up arrow).
if [[ "$line_editing" == ON ]] && command -v script >/dev/null; then
  session=$( (printf 'sq\t 16\r'; sleep 0.3; printf '\033[A\r'; sleep 0.3
              printf 'set_angle_measurement D\t\r'; sleep 0.3; printf 'sin 90\r'; sleep 0.3
              printf '\004') | script -qfec "$host" /dev/null | tr -d '\r')
  results=$(grep -E '^[0-9A-Z]+$' <<<"$session" | tr '\n' ' ')
  if [[ "$results" != "4 4 DEG 1 " ]]; then
    echo "FAIL: interactive session: results '$results'"; echo "$session" | cat -A
    failures=$((failures + 1))
  fi
  grep -q '^numora> ' <<<"$session" || { echo "FAIL: no prompt"; failures=$((failures + 1)); }
fi
exit $((failures > 0))
