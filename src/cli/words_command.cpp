// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "script/word_reference.h"

#include <optional>
#include <ostream>

namespace kestrane::cli {

int runWords(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::optional<int> module;
    if (!arguments.operands.empty()) {
        const std::string& name = arguments.operands.front();
        module = parseModule(name);
        if (!module) {
            return usageError(err, "words",
                              translateFilled("no module '%1' (a code 501-508, 604 or a name "
                                              "such as \"Dimension 3\")",
                                              {name}));
        }
    }
    out << (arguments.has("--json") ? referenceJson(module) : referenceText(module));
    return kSuccess;
}

} // namespace kestrane::cli
