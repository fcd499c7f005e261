// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>

namespace kestrane {
struct FractNode;
}

namespace kestrane::cli {

// The margin around an expression in pictures and in kestrane-cli's layout.
inline constexpr int kExpressionMargin = 10;

// Lays a tree out with the fixed metric of kestrane-cli (each character
// 3/5 of the font height wide, truncated), its top-left corner at the margin.
void layoutWithFixedMetric(FractNode& tree);

// Writes the tree's picture as SVG or PNG (the tree laid out as above).
// Returns false after printing the reason on err.
bool writeExpressionSvg(const FractNode& tree, const std::string& path, std::ostream& err,
                        const std::string& command);
bool writeExpressionPng(const FractNode& tree, const std::string& path, std::ostream& err,
                        const std::string& command);

} // namespace kestrane::cli
