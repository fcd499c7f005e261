// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_tables.h"
#include "cli/commands.h"
#include "platform/translation.h"

#include <ostream>

namespace kestrane::cli {

int runKeys(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::span<const WindowKeyTable> tables = windowKeyTables();
    if (!arguments.operands.empty()) {
        const std::string& name = arguments.operands.front();
        const WindowKeyTable* table = findWindowKeyTable(name);
        if (!table) {
            return usageError(
                err, "keys",
                translateFilled(
                    "no window '%1' (construction, editor, graph, fractions or calculator)",
                    {name}));
        }
        tables = std::span(table, 1);
    }
    out << (arguments.has("--json") ? keyTablesJson(tables) : keyTablesText(tables));
    return kSuccess;
}

} // namespace kestrane::cli
