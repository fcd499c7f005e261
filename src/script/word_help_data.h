// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/word_help.h"

#include <vector>

// The parts of the help table, one per family of modules, as the word table
// is split; word_help.cpp joins them.
namespace kestrane::word_help_data {

std::vector<WordHelp> planeHelp();
std::vector<WordHelp> spaceHelp();
std::vector<WordHelp> algebraHelp();
std::vector<WordHelp> generalHelp();

} // namespace kestrane::word_help_data
