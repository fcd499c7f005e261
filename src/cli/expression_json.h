// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestrane {
class JsonWriter;
struct FractNode;
} // namespace kestrane

namespace kestrane::cli {

// A laid-out expression tree as a JSON object: "kind" (leaf, operation,
// fraction), the record's fields by name, the rows "open" and "close", and
// the children "left", "right", "numerator", "denominator", "exponent".
void writeExpressionJson(JsonWriter& json, const FractNode& node);
std::string expressionJson(const FractNode& node);

} // namespace kestrane::cli
