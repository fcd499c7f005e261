// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kestrane {

class Host;

namespace graph_message {
inline constexpr std::string_view kRuntimeCaption = "Runtime error.";
inline constexpr std::string_view kFileNotFound = "File not found.";
inline constexpr std::string_view kWrongVariableName = "Wrong name of variable.";
inline constexpr std::string_view kDivisionByZero = "Division by zero.";
inline constexpr std::string_view kExponentOutOfRange = "Exponent out of range.";
inline constexpr std::string_view kVariableOutOfRange = "Variable out of range.";
inline constexpr std::string_view kNotAnalytic =
    "Function is not analytic. Use only a variable 'z'.\nResults may not be valid.";
} // namespace graph_message

// A box with the caption "Runtime error.".
void showRuntimeError(Host& host, std::string_view text);

} // namespace kestrane
