// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/cubic_function.h"

#include "platform/json_writer.h"

namespace kestrane {

// The roots of a polynomial as a JSON array of {"value" (root text), "re",
// "im" (decimal texts), "exact" (linear notation), "exactValue" (the exact
// root at the solver's precision as a root text)}, null where a root has
// no such form. Numeric and exact roots are numbered alike.
void writeRootsJson(JsonWriter& json, const Polynomial& polynomial);

} // namespace kestrane
