// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

#include <string_view>

// The boxes of the quadratic and cubic commands (caption "Runtime error.").
namespace kestrane::polynomial_message {
inline constexpr std::string_view kRootNotCreated = N_("Variable out of range.\nRoot not created.");
inline constexpr std::string_view kQuadraticNotFound = N_("Quadratic equation not found.");
inline constexpr std::string_view kQuadraticNotFoundObject = N_("Quadratic eq. not found");
inline constexpr std::string_view kCubicNotFound = N_("Cubic equation not found.");
inline constexpr std::string_view kCubicNotFoundObject = N_("Cubic eq. not found");
inline constexpr std::string_view kCubicRootOutOfRange = N_("Runtime error. Root not created");
inline constexpr std::string_view kRootValueOutOfRange =
    N_("Variable out of range.\nCommand\nDrawRootValue\nis disregarded");
inline constexpr std::string_view kRectangleIntegers =
    N_("Rectangle needs four integers.\nRectangle not created.");
} // namespace kestrane::polynomial_message
