// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

#include <optional>
#include <string>

namespace kestrane {

struct Statement;

// The general statements that every module shares and that change the
// construction: Color, Remove, String, sqrt, polygon, fill, Inters,
// RemoveCircle, RemovePolygon, RemovePoint, NoNames, name, Text, Title,
// RemoveTexts, SetName and vertex. (The control statements if, EndOfIf,
// return and Break belong to the interpreter.) Returns false when the word
// is none of them.
bool executeGeneralStatement(const Statement& statement, CommandContext& context);

// The text an argument stands for: a '$' literal without its '$', or the
// text of a string variable of the scope; none otherwise.
std::optional<std::string> textArgument(const std::string& argument, CommandContext& context);

} // namespace kestrane
