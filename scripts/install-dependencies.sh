#!/usr/bin/env bash
# Installs the packages the build and the tests need, only those that are missing.
#   scripts/install-dependencies.sh          install what is missing
#   scripts/install-dependencies.sh --list   print the package names, one a line
# NUMORA_WINDOWS=0 leaves out the Windows cross builds and Wine.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev clang-format libgtest-dev
          libbenchmark-dev python3 python3-dev python3-mpmath binutils pkgconf man-db
          dpkg-dev file lintian git gzip tar bc time locales valgrind libedit-dev)
# Wine: the package `wine` holds the `wine` and `wineserver` commands, `wine64` the 64-bit
# loader; the 32-bit loader comes from the i386 architecture.
# llvm-14: llvm-dlltool for the MSVC import library, llvm-nm to read it.
windows_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
                  binutils-mingw-w64-x86-64 wine wine64 unzip llvm-14)
i386_packages=(wine32:i386)

windows=${NUMORA_WINDOWS:-1}
if [[ "$windows" == 1 ]]; then packages+=("${windows_packages[@]}"); fi

if [[ "${1:-}" == --list ]]; then
  printf '%s\n' "${packages[@]}"
  if [[ "$windows" == 1 ]]; then printf '%s\n' "${i386_packages[@]}"; fi
  exit 0
fi

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
apt_install() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$@"
}
is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do is_installed "$p" || missing+=("$p"); done
updated=0
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  updated=1
  apt_install "${missing[@]}"
fi

# CPython's own math test data, a second source of inputs for the random sweep: the test suite
# of the interpreter's own version.
if [[ -x /usr/bin/python3 ]]; then
  testsuite=libpython$(/usr/bin/python3 -c 'import sys; print("%d.%d" % sys.version_info[:2])')-testsuite
  if ! is_installed "$testsuite"; then
    ((updated)) || "${sudo_cmd[@]}" apt-get update
    updated=1
    apt_install "$testsuite"
  fi
fi

if [[ "$windows" == 1 ]]; then
  missing=()
  for p in "${i386_packages[@]}"; do is_installed "$p" || missing+=("$p"); done
  if ((${#missing[@]})); then
    echo "installing (i386 architecture): ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      "${sudo_cmd[@]}" dpkg --add-architecture i386
      updated=0
    fi
    ((updated)) || "${sudo_cmd[@]}" apt-get update
    # The i386 archive can lag behind the amd64 security updates; then the rest still runs.
    log=$(mktemp)
    if apt_install "${missing[@]}" >"$log" 2>&1; then
      rm -f "$log"
    else
      echo "note: ${missing[*]} could not be installed (apt-get's output: $log); the 32-bit DLL's run-time tests will be skipped"
    fi
  fi
fi
