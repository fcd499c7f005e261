#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the kestrane-cli commands of README.md as a reader would paste them,
# from the checkout's root:
# - every command line of a ```sh block must exit 0 (or the status its
#   "# exit status N" comment names); a ```text block right after the
#   ```sh block holds what its commands print on standard output;
# - every `kestrane-cli ...` span of the prose that is a whole command (no
#   placeholder such as FILE, no [optional] part) must exit 0;
# - no line shows a prompt ("$ kestrane-cli"), which bash would not run.
# Usage: check_readme.sh SOURCE_DIR KESTRANE_CLI [with-png]
set -uo pipefail
source_dir=$(cd "$1" && pwd)
program=$2
with_png=${3:-}
readme="$source_dir/README.md"

# The commands run in a scratch directory that shows the checkout's files, so
# that the pictures and files they write do not land in the checkout.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for entry in "$source_dir"/*; do
    ln -s "$entry" "$work/$(basename "$entry")"
done
mkdir -p "$work/bin"
ln -s "$(cd "$(dirname "$program")" && pwd)/$(basename "$program")" "$work/bin/kestrane-cli"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen

failures=0
commands=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# Runs one command; prints its standard output. Returns 1 when its status is
# not the expected one.
run_command() {
    local command=$1 expected=$2 status
    if [[ -z $with_png && $command == *--png* ]]; then
        return 0
    fi
    commands=$((commands + 1))
    (cd "$work" && bash -c "$command" 2>"$work/.stderr")
    status=$?
    if [[ $status != "$expected" ]]; then
        fail "'$command' exited $status, not $expected: $(head -c 300 "$work/.stderr")"
    fi
}

if grep -nE '^ *\$ kestrane-cli' "$readme"; then
    fail "README shows commands behind a prompt"
fi

# The ```sh blocks and the ```text blocks after them.
in_block=""
block_commands=()
block_statuses=()
pending=""
expected_output=""
check_block_output() {
    local actual="" index
    for index in "${!block_commands[@]}"; do
        actual+=$(run_command "${block_commands[$index]}" "${block_statuses[$index]}"; echo x)
        actual=${actual%x}
    done
    if [[ -n $1 && $actual != "$expected_output" ]]; then
        fail "the output of ${block_commands[*]} differs from README:
--- README
$expected_output--- printed
$actual"
    fi
}
after_sh=0
while IFS= read -r line || [[ -n $line ]]; do
    if [[ -z $in_block ]]; then
        if [[ $line == '```sh' ]]; then
            in_block=sh
            block_commands=()
            block_statuses=()
        elif [[ $line == '```text' && $after_sh == 1 ]]; then
            in_block=text
            expected_output=""
        elif [[ $line =~ ^\`\`\` ]]; then
            in_block=other
        elif ((after_sh == 1)) && [[ -n $line ]]; then
            check_block_output ""
            after_sh=0
        fi
        continue
    fi
    if [[ $line == '```' ]]; then
        case $in_block in
            sh) after_sh=1 ;;
            text) check_block_output yes; after_sh=0 ;;
        esac
        in_block=""
        continue
    fi
    if [[ $in_block == text ]]; then
        expected_output+="$line"$'\n'
    elif [[ $in_block == sh ]]; then
        if [[ -n $pending ]]; then
            pending+=$'\n'"$line"
        elif [[ $line == kestrane-cli\ * ]]; then
            pending=$line
        fi
        if [[ -n $pending && $pending != *\\ ]]; then
            status=0
            if [[ $pending =~ \#\ exit\ status\ ([0-9]) ]]; then
                status=${BASH_REMATCH[1]}
            fi
            block_commands+=("$pending")
            block_statuses+=("$status")
            pending=""
        fi
    fi
done < "$readme"
((after_sh == 1)) && check_block_output ""

# Whole commands in the prose.
while IFS= read -r span; do
    command=${span:1:${#span}-2}
    placeholder=0
    for word in $command; do
        word=${word//\"/}
        if [[ $word =~ ^\[?-?-?[A-Z][A-Z0-9]*([=,.][A-Z0-9]+)*\]?:?$ || $word == *...* ||
            $word == \[* ]]; then
            placeholder=1
        fi
    done
    words=($command)
    if ((placeholder == 0 && ${#words[@]} > 2)) && [[ $command != *: ]]; then
        run_command "$command" 0 >/dev/null
    fi
done < <(grep -v '^#' "$readme" | grep -o '`kestrane-cli [^`]*`')
if grep -v '^#' "$readme" | grep -E '`kestrane-cli [^`]*$' >/dev/null; then
    fail "a kestrane-cli command in the prose breaks across lines:
$(grep -v '^#' "$readme" | grep -E '`kestrane-cli [^`]*$')"
fi

echo "README: $commands commands run, $failures failed"
((failures == 0))
