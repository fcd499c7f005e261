// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/application.h"

#include <filesystem>

namespace kestrane::testing {

// The paths of a program installed in `directory`: its data is found there
// first, then in the source tree, and its home options stay inside it.
inline ProgramPaths programPathsIn(const std::filesystem::path& directory)
{
    ProgramPaths paths;
    paths.programDirectory = directory;
    paths.dataDirectories = {directory, std::filesystem::path(KESTRANE_SOURCE_DIR) / "data",
                             std::filesystem::path(KESTRANE_SOURCE_DIR)};
    paths.homeOptions = directory / "home/options";
    return paths;
}

} // namespace kestrane::testing
