#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line "SPDX-License-Identifier: GPL-3.0-or-later" at the
# top of every source file under src/, tests/, bench/, fuzz/ and tools/ that
# lacks it (after the "#!" line of a script), as a comment of the file's
# language. Files that have it are left as they are, so the script can run
# again after new files come in.
#   tools/add_spdx.sh          add the line where it is missing
#   tools/add_spdx.sh --check  list the files without it; exit status 1 if any
set -euo pipefail
cd "$(dirname "$0")/.."
licence='SPDX-License-Identifier: GPL-3.0-or-later'

# The tracked source files: code, build files and scripts, not the data the
# tests and fuzzers read.
source_files() {
    git ls-files -- src tests bench fuzz tools |
        grep -E '(\.(cpp|h|hpp|c|cc|sh|cmake|py)|/CMakeLists\.txt)$' |
        grep -vE '^(tests/data|fuzz/corpus)/'
}

has_licence() {
    head -n 3 "$1" | grep -qE "^(//|#) $licence\$"
}

comment_for() {
    case $1 in
        *.cpp | *.h | *.hpp | *.c | *.cc) echo "// $licence" ;;
        *) echo "# $licence" ;;
    esac
}

if [[ ${1:-} == --check ]]; then
    missing=0
    while IFS= read -r file; do
        if ! has_licence "$file"; then
            echo "no licence line: $file"
            missing=1
        fi
    done < <(source_files)
    exit $missing
fi

while IFS= read -r file; do
    has_licence "$file" && continue
    comment=$(comment_for "$file")
    if [[ $(head -c 2 "$file") == '#!' ]]; then
        { head -n 1 "$file"; echo "$comment"; tail -n +2 "$file"; } > "$file.spdx"
    else
        { echo "$comment"; cat "$file"; } > "$file.spdx"
    fi
    chmod --reference="$file" "$file.spdx"
    mv "$file.spdx" "$file"
done < <(source_files)
