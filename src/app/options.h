// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/directories.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The options file holds the main, working and library directories, each
// after its label on a line of its own, blocks ended by an empty line, CR LF.
// The program directory is never in it.

// Reads the labels out of an options file's text; a missing label leaves its
// directory empty.
Directories parseOptions(std::string_view text);

// The text written by the directories dialog: the main block always, the
// working and library blocks only when their path is longer than 2 characters.
std::string formatOptions(const Directories& options);

// The options of the program: "options" in the program directory, or the
// one in the user's configuration directory, which wins when both exist.
std::optional<Directories> readOptions(const std::filesystem::path& programOptions,
                                       const std::filesystem::path& homeOptions);

// Where "Save in home" writes: $XDG_CONFIG_HOME/kestrane/options, by default
// ~/.config/kestrane/options.
std::filesystem::path homeOptionsPath();

// Replaces the options file; creates its directory when needed.
bool writeOptions(const std::filesystem::path& path, const Directories& options);

// "MainOpt": exactly "ShowMessages=0" with the last byte '0' or '1'. Nothing
// when the file is missing or its fourteenth byte is neither.
std::optional<bool> readMainOpt(const std::filesystem::path& path);
bool writeMainOpt(const std::filesystem::path& path, bool showMessages);

} // namespace kestrane
