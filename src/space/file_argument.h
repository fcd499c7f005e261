// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrane {

struct CommandContext;

// A file argument of a space command: its text as the user wrote it (for the
// messages), and where the file is. A relative name is taken from the main
// script's directory, so a script finds its files wherever it is run from.
struct FileArgument {
    std::string name;
    std::filesystem::path path;
};

// The argument is a '$' constant or a String variable; nothing when it is
// neither or its text is empty.
std::optional<FileArgument> fileArgument(const std::string& argument, CommandContext& context);

// A file a command writes: as fileArgument, its path the one the run may
// write to (links followed); nothing, after the run-time error that names
// it, when it lies outside the folders a program may write in.
std::optional<FileArgument> writableFileArgument(const std::string& argument,
                                                 CommandContext& context);

} // namespace kestrane
