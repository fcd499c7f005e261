// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {

// What a kestrane-cli call printed and returned.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome runCaptured(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

// The lines of a text, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

} // namespace kestrane::cli
