// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace kestrane {

// The greatest degree of a root that can be written.
inline constexpr int kMaxRootDegree = 9;

// One root of a folded exponent: the degree and how many copies of the base
// stand under it.
struct RootPower {
    int degree = 0;
    int copies = 0;
    friend bool operator==(const RootPower&, const RootPower&) = default;
};

// How the exponent k/d (0 < k < d <= 9, reduced) of one base is written as
// roots of degree 2 to 9, at most one root per degree, by rising degree:
// p^(3/4) = sqrt(p)*root(4,p), p^(5/6) = sqrt(p)*root(3,p),
// p^(2/3) = root(3,p^2), p^(7/8) = sqrt(p)*root(4,p)*root(8,p),
// p^(5/9) = root(3,p)*root(9,p^2). The copies over the degrees add up to k/d.
std::span<const RootPower> foldExponent(int numerator, int denominator);

} // namespace kestrane
