#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the manual pages and the shell completion that the build wrote into
# SHARE (the build's share directory): the pages render without warnings, and
# each completion script loads in its shell and completes commands, options,
# the words of an option and files of the right kind.
set -euo pipefail
share=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

for page in kestrane kestrane-cli; do
    file="$share/man/man1/$page.1"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null) || fail "man $page"
    [[ -z $warnings ]] || fail "man $page warns: $warnings"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null)
    grep -q "SEE ALSO" <<< "$text" || fail "man $page has no SEE ALSO"
done

bash_script="$share/bash-completion/completions/kestrane-cli"
bash -n "$bash_script" || fail "bash -n"
# Completes the last word of a command line; prints the offers one a line.
complete_line() {
    (
        cd "$examples"
        source "$bash_script"
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMPREPLY=()
        _kestrane_cli 2>/dev/null
        printf '%s\n' "${COMPREPLY[@]}" | sort
    )
}
expect_completion() {
    local expected=$1
    shift
    local got
    got=$(complete_line "$@" | tr '\n' ' ')
    [[ $got == "$expected " ]] || fail "bash: '$*' gave '$got', not '$expected'"
}
expect_completion "long longint" kestrane-cli lon
expect_completion "--words" kestrane-cli long --w
expect_completion "div divsmall" kestrane-cli long --words 12 d
expect_completion "triangle.kst" kestrane-cli run --json - tri
expect_completion "triangle.kst" kestrane-cli run --keep tri
expect_completion "604" kestrane-cli check x.kst --module 6
expect_completion "polyhedron polytope" kestrane-cli solid a --kind poly
expect_completion "graph-window" kestrane-cli help gra
expect_completion "textbook.fra" kestrane-cli fraction read text
expect_completion "bell.fct" kestrane-cli plot be

zsh_script="$share/zsh/vendor-completions/_kestrane-cli"
if command -v zsh >/dev/null; then
    zsh -n "$zsh_script" || fail "zsh -n"
fi
fish_script="$share/fish/vendor_completions.d/kestrane-cli.fish"
if command -v fish >/dev/null; then
    fish -n "$fish_script" || fail "fish -n"
    offers=$(cd "$examples" && fish -c "source '$fish_script'; complete -C 'kestrane-cli lon'" |
        cut -f1 | tr '\n' ' ')
    [[ $offers == "long longint " ]] || fail "fish: 'kestrane-cli lon' gave '$offers'"
    offers=$(cd "$examples" && fish -c "source '$fish_script'; complete -C 'kestrane-cli run tri'" |
        cut -f1 | tr '\n' ' ')
    [[ $offers == "triangle.kst " ]] || fail "fish: 'kestrane-cli run tri' gave '$offers'"
fi

if ((failures > 0)); then
    echo "$failures failed" >&2
    exit 1
fi
echo "manual pages and completion: all passed"
