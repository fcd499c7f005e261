// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

#include <string_view>

namespace kestrane {

class Host;

namespace graph_message {
inline constexpr std::string_view kRuntimeCaption = N_("Runtime error.");
inline constexpr std::string_view kFileNotFound = N_("File not found.");
inline constexpr std::string_view kWrongVariableName = N_("Wrong name of variable.");
inline constexpr std::string_view kDivisionByZero = N_("Division by zero.");
inline constexpr std::string_view kExponentOutOfRange = N_("Exponent out of range.");
inline constexpr std::string_view kVariableOutOfRange = N_("Variable out of range.");
inline constexpr std::string_view kNotAnalytic =
    N_("Function is not analytic. Use only a variable 'z'.\nResults may not be valid.");
} // namespace graph_message

// A box with the caption "Runtime error.".
void showRuntimeError(Host& host, std::string_view text);

} // namespace kestrane
