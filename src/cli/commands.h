#pragma once

#include "cli/cli.h"

// The subcommands, one file each; commands.cpp lists them.
namespace kestrane::cli {

int runLong(CommandArguments arguments, std::ostream& out, std::ostream& err);

} // namespace kestrane::cli
