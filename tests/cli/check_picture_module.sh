#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kestrane-cli needs no toolkit library to start: PNG and PDF files come from
# its picture module, loaded only by a command that writes one.
# Usage: check_picture_module.sh KESTRANE_CLI EXAMPLES_DIR
set -uo pipefail
program=$1
examples=$2
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

if readelf -d "$program" | grep -i 'NEEDED.*libQt'; then
    fail "kestrane-cli needs a Qt library at start"
fi

# With the module beside the program the pictures are painted.
"$program" run "$examples/triangle.kst" --png "$work/t.png" --pdf "$work/t.pdf" ||
    fail "run --png --pdf exited $?"
[[ $(head -c 4 "$work/t.png" 2>/dev/null | tail -c 3) == PNG ]] || fail "no PNG written"
[[ $(head -c 5 "$work/t.pdf" 2>/dev/null) == %PDF- ]] || fail "no PDF written"

# Without it every other command works, and a picture is refused clearly.
mkdir "$work/alone"
cp "$program" "$work/alone/kestrane-cli"
"$work/alone/kestrane-cli" --version >/dev/null || fail "--version without the module"
"$work/alone/kestrane-cli" run "$examples/triangle.kst" --svg "$work/alone/t.svg" ||
    fail "run --svg without the module exited $?"
"$work/alone/kestrane-cli" run "$examples/triangle.kst" --png "$work/alone/t.png" \
    2>"$work/errors"
status=$?
[[ $status == 2 ]] || fail "run --png without the module exited $status, not 2"
grep -q "the picture module kestrane-cli-pictures.so is not installed" "$work/errors" ||
    fail "unclear message: $(cat "$work/errors")"
[[ ! -e $work/alone/t.png ]] || fail "a PNG was written without the module"

echo "picture module: $failures failed"
exit $((failures > 0 ? 1 : 0))
