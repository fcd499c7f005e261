#include "cli/commands.h"

#include <algorithm>

namespace kestrane::cli {

namespace {

// Each subcommand adds its line here.
constexpr Command kCommands[] = {
    {"help", "show the help of a command", "Usage: kestrane-cli help [COMMAND]\n", nullptr},
    {"long", "compute with long numbers",
     "Usage: kestrane-cli long [--words N] OP A [B]\n"
     "Computes with fixed-point long numbers of N digit words (10 to 360, 10 by default).\n"
     "A and B are decimal numbers with an optional leading '-'.\n"
     "Real OP: add sub mul div divsmall halve sqrt ln exp root sin cos tan cot atan asin acos\n"
     "  (divsmall and root take an integer B: the divisor, the degree).\n"
     "Complex OP: cmul cdiv cexp cln croot csin ccos ctan ccot casin cacos catan cacot,\n"
     "  with arguments written \"re,im\" (croot takes the degree as B).\n"
     "Prints every fraction digit and the sign; complex results as \"re im\".\n"
     "Message boxes go to standard error as \"Caption: text\".\n"
     "Exit status: 0 success, 1 a number could not be read, 2 usage error.\n",
     runLong},
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
