#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every text users read has a Polish entry, and no catalogue holds an entry
# for a text the program no longer has. The texts are extracted from the
# sources here, so the list cannot drift from the code.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$source_dir/po/extract.sh" "$source_dir" "$work/kestrane.pot" 2>"$work/extract.log" || {
  cat "$work/extract.log"
  exit 1
}
status=0
for catalogue in "$source_dir"/po/*.po; do
  msgfmt --check --check-accelerators='&' -o /dev/null "$catalogue" || status=1
  # Entries whose text the sources no longer hold.
  msgcmp --use-untranslated --use-fuzzy "$work/kestrane.pot" "$catalogue" 2>"$work/stale.log" || {
    echo "$(basename "$catalogue"): entries for texts the program does not have:"
    grep -A1 'this message is used but not defined' "$work/stale.log" | grep -v '^--' || cat "$work/stale.log"
    status=1
  }
done
# Polish is complete: every text translated, none left fuzzy.
msgcmp "$source_dir/po/pl.po" "$work/kestrane.pot" 2>"$work/missing.log" || {
  echo "pl.po: texts without a Polish entry:"
  cat "$work/missing.log"
  status=1
}
if msgattrib --only-fuzzy "$source_dir/po/pl.po" | grep -q '^msgid'; then
  echo "pl.po: fuzzy entries left"
  status=1
fi
exit $status
