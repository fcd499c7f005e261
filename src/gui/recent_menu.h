// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/recent_files.h"

#include <functional>
#include <string>

class QMenu;
class QWidget;

namespace kestrane {

// Adds "Open &Recent" to a File menu: the last files of `kind`, read afresh
// each time the menu opens. Choosing one calls `open`; when that fails
// (after the window's own message) and the file is gone, it leaves the list.
QMenu* addRecentMenu(QMenu* fileMenu, RecentKind kind,
                     std::function<bool(const std::string&)> open);

// Remembers a file a window opened or saved (nothing for an empty name or a
// file that does not exist).
void rememberRecent(RecentKind kind, const std::string& path);

// Ctrl+Q and File > Quit: closes `window` as its own close would (asking
// about unsaved work); when it closed, the main window is asked to close
// next, which asks about the editor's text and ends the program.
void quitFrom(QWidget& window);

} // namespace kestrane
