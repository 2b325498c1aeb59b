#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as others would: a C program through
# find_package and through pkg-config, the installed host, man page and Python module, and a
# parent project that adds the source tree with add_subdirectory.
#   tests/install_consumers.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1 build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
want_output() {  # want_output "<expected>" command...
  local want=$1; shift
  local got
  got=$("$@" 2>&1)
  [[ "$got" == "$want" ]] || fail "$*: got '$got', want '$want'"
}

cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install"; exit 1; }
libdir=$(sed -n 's|^libdir=\${prefix}/||p' "$prefix"/lib*/pkgconfig/numora.pc 2>/dev/null |
  sed 's|^.*/||')
for f in include/numora/numora.h include/numora/numora.hpp include/numora/numora_exports.h \
         lib/libnumora.so lib/libnumora.so.1 bin/numora share/man/man1/numora.1.gz \
         lib/cmake/Numora/NumoraConfig.cmake lib/cmake/Numora/NumoraConfigVersion.cmake \
         lib/cmake/Numora/NumoraTargets.cmake lib/pkgconfig/numora.pc \
         lib/python3/dist-packages/numora/__init__.py share/doc/numora/operations.md \
         share/doc/numora/LICENSE; do
  [[ -e "$prefix/$f" ]] || fail "not installed: $f"
done
[[ "$(readlink "$prefix/lib/libnumora.so.1")" == libnumora.so.1.* ]] ||
  fail "libnumora.so.1 is not the SONAME link"
: "$libdir"

# find_package(Numora) and the target Numora::numora.
cmake -S "$source_dir/tests/consumer/find_package" -B "$work/find_package" \
  -DCMAKE_PREFIX_PATH="$prefix" >"$work/fp.log" 2>&1 &&
  cmake --build "$work/find_package" >>"$work/fp.log" 2>&1 ||
  { cat "$work/fp.log"; fail "find_package consumer does not build"; }
want_output "1.4142135623731 1.0.1" "$work/find_package/consumer"

# pkg-config --cflags --libs numora.
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
flags=$(pkg-config --cflags --libs numora) || fail "pkg-config does not know numora"
[[ "$(pkg-config --modversion numora)" == 1.0.1 ]] || fail "pkg-config version"
# shellcheck disable=SC2086
cc -std=c99 "$source_dir/tests/consumer/main.c" $flags -o "$work/pc_consumer" ||
  fail "pkg-config consumer does not build"
LD_LIBRARY_PATH=$prefix/lib want_output "1.4142135623731 1.0.1" "$work/pc_consumer"

# The installed host finds the installed library; the man page renders.
want_output "1.4142135623731" "$prefix/bin/numora" sqrt 2
MANWIDTH=80 man -l "$prefix/share/man/man1/numora.1.gz" 2>"$work/man.err" | grep -q "LINE MODE" ||
  fail "man -l does not render the page"
[[ ! -s "$work/man.err" ]] || { cat "$work/man.err"; fail "man -l warns"; }

# The Python module, found through the prefix's Python path.
want_output "1.4142135623731" env -u NUMORA_LIBRARY PYTHONPATH="$prefix/lib/python3/dist-packages" \
  python3 -c 'import numora; print(numora.sqrt(2))'

# A parent project that adds the source tree: alias target, no tests of ours built.
cmake -S "$source_dir/tests/consumer/add_subdirectory" -B "$work/parent" -G Ninja \
  -DNUMORA_SOURCE_DIR="$source_dir" -DCMAKE_BUILD_TYPE=Release >"$work/parent.log" 2>&1 &&
  cmake --build "$work/parent" --target consumer >>"$work/parent.log" 2>&1 ||
  { tail -30 "$work/parent.log"; fail "add_subdirectory consumer does not build"; }
want_output "1.4142135623731 1.0.1" "$work/parent/consumer"
grep -q "numora_tests" "$work/parent/build.ninja" && fail "a parent project builds our tests"

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
exit $((failures > 0))
