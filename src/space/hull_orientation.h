// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/hull_points.h"

#include <array>
#include <memory>

namespace kestrane {

// The normal n of the rows r1 … r(D−1) of D-space, with
// n·x = det[r1; …; r(D−1); x]: the cross product in three dimensions, the
// cofactors of the last row in four. T is any number type with +, − and ×.
template<class T>
std::array<T, 3> cofactorNormal(const std::array<std::array<T, 3>, 2>& rows)
{
    const auto& a = rows[0];
    const auto& b = rows[1];
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

template<class T>
std::array<T, 4> cofactorNormal(const std::array<std::array<T, 4>, 3>& rows)
{
    auto leaving = [&](std::size_t column) {
        std::array<std::array<T, 3>, 3> kept;
        for (std::size_t row = 0; row < 3; ++row) {
            std::size_t k = 0;
            for (std::size_t axis = 0; axis < 4; ++axis)
                if (axis != column)
                    kept[row][k++] = rows[row][axis];
        }
        const auto& a = kept[0];
        const auto& b = kept[1];
        const auto& c = kept[2];
        return a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
               a[2] * (b[0] * c[1] - b[1] * c[0]);
    };
    T zero{};
    return {zero - leaving(0), leaving(1), zero - leaving(2), leaving(3)};
}

// Which side of the hyperplane through a facet's corners q0 … q(D−1) a point
// p lies on: the sign of det[q1 − q0, …, q(D−1) − q0, p − q0], decided
// exactly. Doubles decide when their error bound allows; then long doubles;
// a value that may be zero is tested for zero modulo large primes; exact
// integers decide the rest. The finer copies of the facet are made only
// when a test first needs them.
template<int D>
class FacetSide {
public:
    FacetSide(const HullPoints<D>& points, const std::array<int, D>& corners);
    FacetSide(FacetSide&&) noexcept;
    FacetSide& operator=(FacetSide&&) noexcept;
    ~FacetSide();

    // +1, −1 or 0 (on the hyperplane).
    int of(int point) const;
    // The determinant in doubles: to compare points' heights over the facet.
    double height(int point) const;

private:
    struct Refined;
    const Refined& refined() const;
    int ofByPrimes(int point, long double largest) const;

    const HullPoints<D>* m_points;
    std::array<int, D> m_corners;
    std::array<double, D> m_normal{};
    // The products of the rows' largest components with and without the
    // error of a difference: they bound the error of the determinant.
    double m_rowsHigh = 1;
    double m_rowsLow = 1;
    mutable std::unique_ptr<Refined> m_refined;
};

} // namespace kestrane
