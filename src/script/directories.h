// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestrane {

// The directories of the program. The program directory is the current
// directory at start; the other three come from the options file and are
// empty when absent. Include files are searched in main, working, library.
struct Directories {
    std::string program;
    std::string main;
    std::string working;
    std::string library;
};

} // namespace kestrane
