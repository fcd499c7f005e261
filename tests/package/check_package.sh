#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of a build with CPack, unpacks it into a scratch
# root, runs the kestrane-cli it holds, and runs lintian where it is
# installed: the package must have no errors.
# Usage: check_package.sh BUILD_DIR VERSION
set -uo pipefail
build=$(cd "$1" && pwd)
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    echo "FAILED: cpack" >&2
    exit 1
fi
deb=$(ls "$scratch"/out/kestrane_*.deb)
[[ $(basename "$deb") == kestrane_${version}_$(dpkg --print-architecture).deb ]] ||
    fail "the package is $(basename "$deb")"
# The libraries the programs link come from dpkg-shlibdeps.
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libc6* && $depends == *libjpeg* ]] || fail "Depends: $depends"

root="$scratch/root"
dpkg -x "$deb" "$root" || fail "dpkg -x"
export ASAN_OPTIONS=detect_leaks=0
said=$("$root/usr/bin/kestrane-cli" --version) || fail "kestrane-cli --version"
[[ $said == "kestrane-cli $version" ]] || fail "kestrane-cli --version said '$said'"
# The unpacked program finds its data beside it.
"$root/usr/bin/kestrane-cli" run "$root/usr/share/kestrane/examples/triangle.kst" --json |
    grep -q '"points"' || fail "the packaged kestrane-cli could not run an example"
# ... and its catalogues under usr/share/locale.
printf '1start()\r\nl=line(A,B)\r\nEND' >"$scratch/bad.kst"
said=$(env -u LC_ALL LANGUAGE=pl "$root/usr/bin/kestrane-cli" check "$scratch/bad.kst")
[[ $said == *"Niezadeklarowana zmienna"* ]] || fail "the packaged kestrane-cli does not speak Polish"
for file in usr/share/applications/org.kestrane.Kestrane.desktop \
    usr/share/man/man1/kestrane-cli.1.gz usr/share/doc/kestrane/copyright \
    usr/share/doc/kestrane/changelog.gz usr/share/metainfo/org.kestrane.Kestrane.metainfo.xml \
    usr/share/bash-completion/completions/kestrane-cli; do
    [[ -e $root/$file ]] || fail "not in the package: $file"
done
grep -qx 'Exec=kestrane %f' "$root/usr/share/applications/org.kestrane.Kestrane.desktop" ||
    fail "the packaged desktop entry does not start kestrane from /usr/bin"

if command -v lintian >/dev/null; then
    lint=$(lintian --fail-on error "$deb" 2>&1)
    status=$?
    grep -v "running with root privileges" <<< "$lint"
    ((status == 0)) || fail "lintian found errors"
else
    echo "lintian is not installed: the package was not linted"
fi

if ((failures > 0)); then
    echo "$failures failed" >&2
    exit 1
fi
echo "package: all passed"
