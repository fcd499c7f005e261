// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The boxes of the quadratic and cubic commands (caption "Runtime error.").
namespace kestrane::polynomial_message {
inline constexpr std::string_view kRootNotCreated = "Variable out of range.\nRoot not created.";
inline constexpr std::string_view kQuadraticNotFound = "Quadratic equation not found.";
inline constexpr std::string_view kQuadraticNotFoundObject = "Quadratic eq. not found";
inline constexpr std::string_view kCubicNotFound = "Cubic equation not found.";
inline constexpr std::string_view kCubicNotFoundObject = "Cubic eq. not found";
inline constexpr std::string_view kCubicRootOutOfRange = "Runtime error. Root not created";
inline constexpr std::string_view kRootValueOutOfRange =
    "Variable out of range.\nCommand\nDrawRootValue\nis disregarded";
inline constexpr std::string_view kRectangleIntegers =
    "Rectangle needs four integers.\nRectangle not created.";
} // namespace kestrane::polynomial_message
