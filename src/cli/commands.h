#pragma once

#include "cli/cli.h"

// The subcommands, one file each; commands.cpp lists them.
namespace kestrane::cli {

} // namespace kestrane::cli
