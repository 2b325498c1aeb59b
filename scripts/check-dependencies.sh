#!/usr/bin/env bash
# Every command the scripts and the tests call must come from a package that
# scripts/install-dependencies.sh names (or from one of those packages' dependencies, or from
# the base system). A tool that merely happens to be on this machine hides a missing install
# step from a fresh one.
set -euo pipefail
cd "$(dirname "$0")/.."

# What the scripts, the CMake builds and the test definitions run.
commands=(
  cmake ctest ninja cc c++ gcc g++ clang clang++ clang-format python3 nm objdump strings
  pkg-config man cpack dpkg-deb dpkg-shlibdeps lintian git gzip tar bc /usr/bin/time localedef
  valgrind
  i686-w64-mingw32-gcc-posix i686-w64-mingw32-g++-posix i686-w64-mingw32-windres
  i686-w64-mingw32-objdump i686-w64-mingw32-nm
  x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres
  x86_64-w64-mingw32-objdump x86_64-w64-mingw32-nm
  wine wineserver /usr/lib/wine/wine64 unzip llvm-dlltool-14 llvm-nm-14
  i686-w64-mingw32-dlltool i686-w64-mingw32-objcopy x86_64-w64-mingw32-dlltool
  x86_64-w64-mingw32-objcopy
)
# Present only where the i386 packages could be installed (else those tests are skipped).
optional_commands=(/usr/lib/wine/wine)

mapfile -t named < <(scripts/install-dependencies.sh --list)
if [[ "${NUMORA_WINDOWS:-1}" != 1 ]]; then
  kept=()
  for c in "${commands[@]}"; do [[ "$c" == *mingw* || "$c" == *wine* || "$c" == llvm-* ]] || kept+=("$c"); done
  commands=("${kept[@]}")
  optional_commands=()
fi

# The named packages and everything they depend on, as installed here (one query).
declare -A allowed=()
while read -r p; do allowed[$p]=1; done < <(
  dpkg-query -W -f='${Package}:${Architecture}\t${Depends}, ${Pre-Depends}\n' 2>/dev/null |
    awk -F'\t' -v named="${named[*]}" '
      { deps[$1] = $2; split($1, pa, ":"); if (!(pa[1] in deps)) deps[pa[1]] = $2 }
      END {
        n = split(named, queue, " ")
        while (n > 0) {
          p = queue[n--]
          if (p in seen) continue
          seen[p] = 1
          print p
          m = split(deps[p], list, /[,|]/)
          for (i = 1; i <= m; i++) {
            d = list[i]
            sub(/\(.*\)/, "", d); gsub(/ /, "", d)
            if (d != "" && !(d in seen)) queue[++n] = d
          }
        }
      }')

is_base_system() {
  local fields
  fields=$(dpkg-query -W -f='${Essential} ${Priority}' "$1" 2>/dev/null || true)
  [[ "$fields" == yes* || "$fields" == *required ]]
}

owner_of() {
  local path=$1 candidate owner
  for candidate in "$path" "$(readlink -f "$path")"; do
    for form in "$candidate" "/usr${candidate#/usr}" "${candidate#/usr}"; do
      owner=$(dpkg-query -S "$form" 2>/dev/null | head -1 | cut -d: -f1-2 | sed 's/: .*//; s/:$//')
      if [[ -n "$owner" ]]; then
        echo "${owner%%,*}"
        return
      fi
    done
  done
}

failures=0
check() {
  local command=$1 optional=$2 path owner
  if [[ "$command" == /* ]]; then
    [[ -x "$command" ]] && path=$command || path=""
  else
    path=$(PATH=/usr/sbin:/usr/bin:/sbin:/bin command -v "$command" || true)
  fi
  if [[ -z "$path" ]]; then
    if [[ "$optional" == 1 ]]; then
      echo "note: $command is not installed; the tests that need it are skipped"
    else
      echo "FAIL: $command is called but not installed; add its package to scripts/install-dependencies.sh"
      failures=$((failures + 1))
    fi
    return
  fi
  owner=$(owner_of "$path")
  if [[ -z "$owner" ]]; then
    echo "FAIL: $command ($path) comes from no Debian package"
    failures=$((failures + 1))
    return
  fi
  local name=${owner%%:*}
  if [[ -n "${allowed[$owner]:-}" || -n "${allowed[$name]:-}" ]] || is_base_system "$name"; then
    return
  fi
  echo "FAIL: $command ($path) comes from package '$owner', which scripts/install-dependencies.sh does not name"
  failures=$((failures + 1))
}

for c in "${commands[@]}"; do check "$c" 0; done
for c in "${optional_commands[@]}"; do check "$c" 1; done
if ((failures)); then
  echo "dependency check: $failures command(s) without an install step"
  exit 1
fi
echo "dependency check: every command comes from a named package"
