#include "cli/commands.h"

#include <algorithm>

namespace kestrane::cli {

namespace {

// Each subcommand adds its line here.
constexpr Command kCommands[] = {
    {"help", "show the help of a command", "Usage: kestrane-cli help [COMMAND]\n", nullptr},
};

} // namespace

std::span<const Command> commands()
{
    return std::span(kCommands).subspan(1);
}

const Command* findCommand(std::string_view name)
{
    auto all = commands();
    auto found = std::find_if(all.begin(), all.end(),
                              [name](const Command& command) { return command.name == name; });
    return found == all.end() ? nullptr : &*found;
}

} // namespace kestrane::cli
