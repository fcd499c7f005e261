// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/geo_object.h"
#include "graphs/cubic_function.h"

#include <optional>
#include <string>
#include <utility>

namespace kestrane {

// A quadratic or cubic function of a program. The polynomial's trees are
// shared and never changed, so the record copies by value.
struct PolynomialRec : GeoObject {
    Polynomial polynomial;
    // Made by CubicFunct or QuadraticFunct (exact roots asked for), not by
    // ValCubFunct.
    bool exactAsked = false;
    // Where DrawCubic or DrawQuadratic writes the polynomial as built, and
    // where DrawSimplCubFunct writes it simplified.
    std::optional<std::pair<int, int>> formulaAt;
    std::optional<std::pair<int, int>> simplifiedAt;
};

} // namespace kestrane
