// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/interpreter.h"

#include <optional>
#include <string_view>

namespace kestrane {

struct ScriptFile;

// The file of a program that a user names: the main file for an empty name
// or the main file's own name, else the include whose #include line or file
// name matches (letter case ignored, '\' and '/' alike), searched through
// the includes of includes. nullptr when none matches.
const ScriptFile* findProgramFile(const ScriptFile& main, std::string_view name);

// The place of a line (from 0) of a named file of the program.
std::optional<SourcePlace> findSourcePlace(const ScriptFile& main, std::string_view file, int line);

} // namespace kestrane
