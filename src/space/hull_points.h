// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"
#include "space/exact_integer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kestrane {

// Primes below 2^62 for the hulls' exact tests of zero.
inline constexpr std::array<std::uint64_t, 6> kHullPrimes{
    4611686018427387847ULL, 4611686018427387817ULL, 4611686018427387787ULL,
    4611686018427387761ULL, 4611686018427387751ULL, 4611686018427387737ULL};

// The points of a convex hull in D dimensions (3 or 4). Their long numbers
// are the truth (they must outlive this object); beside them are copies for
// the tests of which side of a hyperplane a point lies on, from the quickest
// to the exact one: doubles and long doubles taken relative to the first
// point, and the exact integers the long numbers stand for, also modulo a
// few primes.
template<int D>
class HullPoints {
public:
    using Coordinates = std::array<const LongNum*, D>;
    using Doubles = std::array<double, D>;
    using LongDoubles = std::array<long double, D>;
    using Integers = std::array<ExactInteger, D>;
    using Residues = std::array<std::uint64_t, D>;

    explicit HullPoints(std::vector<Coordinates> points);

    std::size_t size() const { return m_doubles.size(); }
    const Doubles& at(int index) const { return m_doubles[static_cast<std::size_t>(index)]; }
    const LongDoubles& preciseAt(int index) const
    {
        return m_longDoubles[static_cast<std::size_t>(index)];
    }
    // The largest side of the points' bounding box: tolerances scale with it.
    double extent() const { return m_extent; }
    // Bounds on the error of any difference of two coordinates of at() and
    // of preciseAt().
    double differenceError() const { return m_differenceError; }
    long double preciseDifferenceError() const { return m_preciseDifferenceError; }

    // The coordinates as integers: the long numbers times 2^integerScale().
    const Integers& exact(int index) const;
    double integerScale() const { return m_integerScale; }
    // The integers modulo kHullPrimes[prime].
    const Residues& residues(int index, std::size_t prime) const;

private:
    std::vector<Coordinates> m_points;
    std::vector<Doubles> m_doubles;
    std::vector<LongDoubles> m_longDoubles;
    mutable std::vector<std::optional<Integers>> m_exact;
    mutable std::vector<std::array<std::optional<Residues>, kHullPrimes.size()>> m_residues;
    double m_extent = 0;
    double m_differenceError = 0;
    long double m_preciseDifferenceError = 0;
    // Fraction words that are zero in every coordinate are left out of the
    // integers, which keeps them small.
    int m_droppedWords = 0;
    double m_integerScale = 0;
};

} // namespace kestrane
