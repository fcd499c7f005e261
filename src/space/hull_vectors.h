// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace kestrane {

// The little vector arithmetic of the convex hulls, on arrays of any number
// type with +, − and × (doubles, long doubles, exact integers, residues).

template<class F, std::size_t D>
std::array<F, D> arrayDifference(const std::array<F, D>& a, const std::array<F, D>& b)
{
    std::array<F, D> out{};
    for (std::size_t axis = 0; axis < D; ++axis)
        out[axis] = a[axis] - b[axis];
    return out;
}

template<class F, std::size_t D>
F arrayDot(const std::array<F, D>& a, const std::array<F, D>& b)
{
    F sum{};
    for (std::size_t axis = 0; axis < D; ++axis)
        sum = sum + a[axis] * b[axis];
    return sum;
}

// The largest |component| (floating types only).
template<class F, std::size_t D>
F arrayLargest(const std::array<F, D>& a)
{
    F largest = 0;
    for (F value : a)
        largest = std::max(largest, std::fabs(value));
    return largest;
}

} // namespace kestrane
