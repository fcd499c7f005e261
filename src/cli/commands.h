#pragma once

#include "cli/cli.h"

// The subcommands, one file each; commands.cpp lists them.
namespace kestrane::cli {

// kestrane-cli check FILE [--module CODE]: compiles a script with its
// includes and prints "ok" or "FILE:LINE: MESSAGE".
int runCheck(CommandArguments arguments, std::ostream& out, std::ostream& err);

} // namespace kestrane::cli
