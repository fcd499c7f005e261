// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/directories.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// Where a run looks for the data files a script names (function and
// expression files): the name as given (relative to the current directory),
// the main script's directory, the main, working and library directories,
// then the "Examples" subdirectory of each of these in the same order, and
// last the examples the program ships. The compiler's check and the run use
// the same places, so a file the run would find always compiles.
struct DataFileSearch {
    Directories directories;
    std::string scriptDirectory;
    // The examples the program ships; empty when unknown.
    std::string shippedExamples;

    std::vector<std::string> places(std::string_view name) const;
    // The first place that holds a regular file.
    std::optional<std::string> find(std::string_view name) const;
};

} // namespace kestrane
