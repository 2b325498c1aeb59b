#!/usr/bin/env bash
# The Linux release artifacts as a user meets them: the package target makes the .deb and
# the source archive; the .deb's control data and contents, the package unpacked into a
# throw-away root with its host and Python module run from there, lintian without errors; the
# source archive unpacked, configured, built and tested from a clean directory.
#   tests/package_artifacts_linux.sh SOURCE_DIR BUILD_DIR VERSION
set -u
source_dir=$1 build_dir=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --build "$build_dir" --target package >"$work/package.log" 2>&1 ||
  { cat "$work/package.log"; echo "FAIL: the package target"; exit 1; }
deb=$build_dir/numora_${version}_amd64.deb
archive=$build_dir/numora-$version.tar.gz
[[ -f "$deb" ]] || { echo "FAIL: no $deb"; exit 1; }
[[ -f "$archive" ]] || { echo "FAIL: no $archive"; exit 1; }

# Control data.
info=$(dpkg-deb --info "$deb")
for want in "Package: numora" "Version: $version" "Architecture: amd64" "Section: libs"; do
  grep -q "^ $want$" <<<"$info" || fail "control lacks '$want'"
done
grep -q "^ Maintainer: .* <.*@.*>$" <<<"$info" || fail "no proper Maintainer"
for dependency in libc6 libstdc++6; do
  grep -q "^ Depends: .*$dependency (>= " <<<"$info" || fail "Depends lacks $dependency"
done
grep -q "^ Description: .\{20,\}" <<<"$info" || fail "no description"

# Contents.
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for want in ./usr/bin/numora ./usr/lib/libnumora.so.1.0.1 ./usr/lib/libnumora.so.1 \
            ./usr/lib/libnumora.so ./usr/include/numora/numora.h ./usr/include/numora/numora.hpp \
            ./usr/include/numora/numora_exports.h ./usr/lib/cmake/Numora/NumoraConfig.cmake \
            ./usr/lib/pkgconfig/numora.pc ./usr/share/man/man1/numora.1.gz \
            ./usr/lib/python3/dist-packages/numora/__init__.py \
            ./usr/share/doc/numora/copyright ./usr/share/doc/numora/changelog.gz \
            ./usr/share/doc/numora/operations.md \
            ./usr/share/bash-completion/completions/numora ./usr/share/zsh/vendor-completions/_numora \
            ./usr/share/fish/vendor_completions.d/numora.fish; do
  grep -qx -- "$want" <<<"$contents" || fail "the package lacks $want"
done

# Unpacked into a throw-away root: the host finds its library, the module finds it too.
root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
got=$("$root/usr/bin/numora" sqrt 2 2>&1)
[[ "$got" == 1.4142135623731 ]] || fail "the unpacked host: '$got'"
got=$(cd "$work" && PYTHONPATH="$root/usr/lib/python3/dist-packages" PYTHONDONTWRITEBYTECODE=1 \
      /usr/bin/python3 -c 'import numora
print(numora.sqrt(2), numora.power(2, 10), numora._compiled is not None)' 2>&1)
[[ "$got" == "1.4142135623731 1024 True" ]] || fail "the unpacked Python module (compiled): '$got'"
[[ "$(readlink -f "$root/usr/lib/python3/dist-packages/numora/libnumora.so.1")" == \
   "$(readlink -f "$root/usr/lib/libnumora.so.1.0.1")" ]] || fail "the module's library link"

# Debian's own checks: no error.
errors=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep "^E: ")
[[ -z "$errors" ]] || fail "lintian: $errors"

# The source archive: the tracked tree, built and tested from a clean directory.
tar -xzf "$archive" -C "$work" || fail "tar -xzf"
tree=$work/numora-$version
for want in CMakeLists.txt CMakePresets.json include/numora/numora.h src/x87/X87.h README.md; do
  [[ -f "$tree/$want" ]] || fail "the source archive lacks $want"
done
[[ ! -e "$tree/build" && ! -e "$tree/.git" ]] || fail "the source archive holds build or .git"
if [[ "${NUMORA_NESTED_ARCHIVE_CHECK:-0}" != 1 ]]; then
  (
    cd "$tree" &&
      cmake --preset linux -DNUMORA_BUILD_BENCHMARKS=OFF >"$work/archive.log" 2>&1 &&
      cmake --build --preset linux -j "$(nproc)" >>"$work/archive.log" 2>&1 &&
      NUMORA_NESTED_ARCHIVE_CHECK=1 ctest --preset linux -j "$(nproc)" >>"$work/archive.log" 2>&1
  ) || { tail -40 "$work/archive.log"; fail "the source archive does not build and pass its tests"; }
  grep "tests passed" "$work/archive.log"
fi

if ((failures)); then
  echo "$failures failed"
  exit 1
fi
echo "the .deb and the source archive are as a user expects"
