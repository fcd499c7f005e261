// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kestrane::cli {

// The manual pages, written in roff from the command tables at build time:
// kestrane-cli(1) with a section per subcommand, and kestrane(1) for the
// desktop program. `date` is the release date, "2026-12-06".
std::string cliManualPage(std::string_view date);
std::string programManualPage(std::string_view date);

// The shell completion of kestrane-cli: subcommands, options, the words an
// option or operand takes and the kinds of files it names.
std::string bashCompletion();
std::string zshCompletion();
std::string fishCompletion();

} // namespace kestrane::cli
