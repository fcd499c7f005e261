#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the template of every text users read (OUT.pot) from the sources
# under SOURCE/src: literals marked N_() or passed to translate() or
# translateFilled(); the help of kestrane-cli's options (flag(), valued()) and
# the descriptions of the key tables (menuKey(), windowKey()); and in the Qt
# windows also the literals given to their menus, buttons, labels, titles and
# accessible names and descriptions, which are translated as the windows are
# shown.
set -euo pipefail
source_dir=$1
out=$2
cd "$source_dir"
common=(--from-code=UTF-8 --language=C++ --no-wrap --sort-by-file --package-name=kestrane
  --keyword= --keyword=N_ --keyword=translate:1 --keyword=translateFilled:1 --keyword=translateCount:2,3 --keyword=watchCount:2,3)
find src -path src/gui -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort > "$out.core"
find src/gui \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort > "$out.gui"
xgettext "${common[@]}" --keyword=flag:2 --keyword=valued:4 --keyword=menuKey:3 \
  --keyword=windowKey:3 --files-from="$out.core" --output="$out"
xgettext "${common[@]}" --join-existing \
  --keyword=addMenu:1 --keyword=addAction:1 --keyword=setWindowTitle:1 --keyword=setText:1 \
  --keyword=setTitle:1 --keyword=QPushButton:1 --keyword=QLabel:1 --keyword=QGroupBox:1 \
  --keyword=QCheckBox:1 --keyword=QRadioButton:1 --keyword=QAction:1 --keyword=addItem:2 \
  --keyword=addCommand:1 --keyword=setAccessibleName:1 --keyword=setAccessibleDescription:1 \
  --files-from="$out.gui" --output="$out"
rm -f "$out.core" "$out.gui"
