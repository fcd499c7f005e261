// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/key_table.h"

#include <span>
#include <string>
#include <string_view>

// The key tables of every window in one list, and their text, JSON and help
// page forms: `kestrane-cli keys` and the "Keys" help page print the same
// tables the windows build their shortcuts from.
namespace kestrane {

std::span<const WindowKeyTable> windowKeyTables();
// A window by its name ("editor", "construction", "graph", "fractions",
// "calculator"), or nullptr.
const WindowKeyTable* findWindowKeyTable(std::string_view name);

// "Script editor (editor)" then one line a key: keys, action, description.
// For people, so the titles and descriptions are in the user's language; the
// JSON and the help page keep the tables' English (the help pages in other
// languages link to it).
std::string keyTablesText(std::span<const WindowKeyTable> tables);
// {"windows": [{"name", "title", "keys": [{"keys", "action", "description",
// "route" ("menu" or "window")}]}]}
std::string keyTablesJson(std::span<const WindowKeyTable> tables);
// The help page "Keys".
std::string keysHelpPage();

} // namespace kestrane
