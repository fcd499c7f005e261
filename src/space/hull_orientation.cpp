// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/hull_orientation.h"

#include "space/hull_vectors.h"

#include <cmath>
#include <limits>
#include <optional>

namespace kestrane {

namespace {

__extension__ typedef unsigned __int128 WideUnsigned;

constexpr int factorial(int n)
{
    return n <= 1 ? 1 : n * factorial(n - 1);
}

// A residue modulo one of the primes, with what the normal needs. The
// modulus of a default (zero) residue is 0 and takes the other operand's.
struct Residue {
    std::uint64_t value = 0;
    std::uint64_t modulus = 0;

    friend Residue operator+(Residue a, Residue b)
    {
        std::uint64_t modulus = std::max(a.modulus, b.modulus);
        std::uint64_t sum = a.value + b.value;
        return {sum >= modulus ? sum - modulus : sum, modulus};
    }
    friend Residue operator-(Residue a, Residue b)
    {
        std::uint64_t modulus = std::max(a.modulus, b.modulus);
        return {a.value >= b.value ? a.value - b.value : a.value + (modulus - b.value), modulus};
    }
    friend Residue operator*(Residue a, Residue b)
    {
        std::uint64_t modulus = std::max(a.modulus, b.modulus);
        return {static_cast<std::uint64_t>(static_cast<WideUnsigned>(a.value) * b.value % modulus),
                modulus};
    }
};

// A bound on the error of a determinant whose rows have the given products
// of largest components (with and without the error of each entry), the
// last row's largest component being `size`: each of its D! terms is a
// product of D entries each within `error`, rounded a few times; twice that.
template<class F>
F determinantBound(int dimension, F rowsHigh, F rowsLow, F size, F error, F unit)
{
    F high = rowsHigh * (size + error);
    F low = rowsLow * size;
    return 2 * static_cast<F>(factorial(dimension)) * (high - low + 16 * unit * high);
}

} // namespace

template<int D>
struct FacetSide<D>::Refined {
    std::array<long double, D> normal{};
    long double rowsHigh = 1;
    long double rowsLow = 1;
    std::array<std::optional<std::array<Residue, D>>, kHullPrimes.size()> residues;
    std::optional<std::array<ExactInteger, D>> exact;
};

template<int D>
FacetSide<D>::FacetSide(const HullPoints<D>& points, const std::array<int, D>& corners)
    : m_points(&points)
    , m_corners(corners)
{
    const auto& origin = points.at(corners[0]);
    std::array<std::array<double, D>, D - 1> rows;
    for (std::size_t row = 0; row + 1 < static_cast<std::size_t>(D); ++row) {
        rows[row] = arrayDifference(points.at(corners[row + 1]), origin);
        double size = arrayLargest(rows[row]);
        m_rowsHigh *= size + points.differenceError();
        m_rowsLow *= size;
    }
    m_normal = cofactorNormal(rows);
}

template<int D>
FacetSide<D>::FacetSide(FacetSide&&) noexcept = default;

template<int D>
FacetSide<D>& FacetSide<D>::operator=(FacetSide&&) noexcept = default;

template<int D>
FacetSide<D>::~FacetSide() = default;

template<int D>
double FacetSide<D>::height(int point) const
{
    return arrayDot(m_normal, arrayDifference(m_points->at(point), m_points->at(m_corners[0])));
}

template<int D>
const typename FacetSide<D>::Refined& FacetSide<D>::refined() const
{
    if (!m_refined) {
        m_refined = std::make_unique<Refined>();
        const auto& origin = m_points->preciseAt(m_corners[0]);
        std::array<std::array<long double, D>, D - 1> rows;
        for (std::size_t row = 0; row + 1 < static_cast<std::size_t>(D); ++row) {
            rows[row] = arrayDifference(m_points->preciseAt(m_corners[row + 1]), origin);
            long double size = arrayLargest(rows[row]);
            m_refined->rowsHigh *= size + m_points->preciseDifferenceError();
            m_refined->rowsLow *= size;
        }
        m_refined->normal = cofactorNormal(rows);
    }
    return *m_refined;
}

template<int D>
int FacetSide<D>::of(int point) const
{
    constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;
    auto offset = arrayDifference(m_points->at(point), m_points->at(m_corners[0]));
    double value = arrayDot(m_normal, offset);
    double bound = determinantBound(D, m_rowsHigh, m_rowsLow, arrayLargest(offset),
                                    m_points->differenceError(), kUnit);
    if (value > bound)
        return 1;
    if (value < -bound)
        return -1;

    constexpr long double kPreciseUnit = std::numeric_limits<long double>::epsilon() / 2;
    const Refined& finer = refined();
    auto preciseOffset =
        arrayDifference(m_points->preciseAt(point), m_points->preciseAt(m_corners[0]));
    long double preciseValue = arrayDot(finer.normal, preciseOffset);
    long double preciseBound =
        determinantBound(D, finer.rowsHigh, finer.rowsLow, arrayLargest(preciseOffset),
                         m_points->preciseDifferenceError(), kPreciseUnit);
    if (preciseValue > preciseBound)
        return 1;
    if (preciseValue < -preciseBound)
        return -1;
    return ofByPrimes(point, std::fabs(preciseValue) + preciseBound);
}

// The determinant of the integers is the value times 2^(D·scale), and at
// most `largest` in value: when it is zero modulo primes whose product
// exceeds that, it is zero. Otherwise, or when too many primes would be
// needed, exact integers give its sign.
template<int D>
int FacetSide<D>::ofByPrimes(int point, long double largest) const
{
    Refined& finer = *m_refined;
    double bits = static_cast<double>(std::log2(std::max(largest, 1e-300L))) +
                  D * m_points->integerScale() + 1;
    auto primes = static_cast<std::size_t>(std::max(1.0, std::ceil(bits / 61.99)));
    bool zero = primes <= kHullPrimes.size();
    for (std::size_t prime = 0; zero && prime < primes; ++prime) {
        const std::uint64_t modulus = kHullPrimes[prime];
        auto residue = [&](int corner) {
            std::array<Residue, D> out;
            const auto& values = m_points->residues(corner, prime);
            for (std::size_t axis = 0; axis < static_cast<std::size_t>(D); ++axis)
                out[axis] = {values[axis], modulus};
            return out;
        };
        const std::array<Residue, D> origin = residue(m_corners[0]);
        if (!finer.residues[prime]) {
            std::array<std::array<Residue, D>, D - 1> rows;
            for (std::size_t row = 0; row + 1 < static_cast<std::size_t>(D); ++row)
                rows[row] = arrayDifference(residue(m_corners[row + 1]), origin);
            finer.residues[prime] = cofactorNormal(rows);
        }
        zero = arrayDot(*finer.residues[prime], arrayDifference(residue(point), origin)).value == 0;
    }
    if (zero)
        return 0;

    const auto& origin = m_points->exact(m_corners[0]);
    if (!finer.exact) {
        std::array<std::array<ExactInteger, D>, D - 1> rows;
        for (std::size_t row = 0; row + 1 < static_cast<std::size_t>(D); ++row)
            rows[row] = arrayDifference(m_points->exact(m_corners[row + 1]), origin);
        finer.exact = cofactorNormal(rows);
    }
    return arrayDot(*finer.exact, arrayDifference(m_points->exact(point), origin)).sign();
}

template class FacetSide<3>;
template class FacetSide<4>;

} // namespace kestrane
