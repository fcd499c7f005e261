// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/hull_points.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrane {

namespace {

__extension__ typedef unsigned __int128 WideUnsigned;

// A long number in long double: the integer words exactly, the fraction
// words each rounded once.
long double preciseValue(const LongNum& value)
{
    int half = longIntegerWords();
    long double out = 0;
    for (int index = 0; index < half; ++index)
        out = out * 1000 + static_cast<long double>(value[index]);
    long double scale = 1;
    for (int index = half; index < value.wordCount(); ++index) {
        scale /= 1000;
        out += static_cast<long double>(value[index]) * scale;
    }
    return value.isNegative() ? -out : out;
}

int zeroWordsAtEnd(const LongNum& value)
{
    int zeros = 0;
    while (zeros < value.wordCount() && value[value.wordCount() - 1 - zeros] == 0)
        ++zeros;
    return zeros;
}

} // namespace

template<int D>
HullPoints<D>::HullPoints(std::vector<Coordinates> points) : m_points(std::move(points))
{
    // Differences of long numbers may not fit the integer words: the copies
    // are taken relative to the first point only when every coordinate is
    // well inside the range.
    const double limit = 0.45 * std::pow(1000.0, longIntegerWords());
    bool translate = true;
    m_droppedWords = longWords();
    for (const Coordinates& point : m_points) {
        for (const LongNum* value : point) {
            translate = translate && std::fabs(LongToDouble(*value)) < limit;
            m_droppedWords = std::min(m_droppedWords, zeroWordsAtEnd(*value));
        }
    }
    m_droppedWords = std::min(m_droppedWords, longWords() - longIntegerWords());
    m_integerScale = std::log2(1000.0) * (longWords() - longIntegerWords() - m_droppedWords);

    Doubles low{};
    Doubles high{};
    long double largest = 0;
    LongNum relative;
    for (std::size_t index = 0; index < m_points.size(); ++index) {
        Doubles value{};
        LongDoubles precise{};
        for (std::size_t axis = 0; axis < static_cast<std::size_t>(D); ++axis) {
            const LongNum& coordinate = *m_points[index][axis];
            if (translate)
                LongSub(coordinate, *m_points.front()[axis], relative);
            precise[axis] = preciseValue(translate ? relative : coordinate);
            value[axis] = static_cast<double>(precise[axis]);
            low[axis] = index == 0 ? value[axis] : std::min(low[axis], value[axis]);
            high[axis] = index == 0 ? value[axis] : std::max(high[axis], value[axis]);
            largest = std::max(largest, std::fabs(precise[axis]));
        }
        m_doubles.push_back(value);
        m_longDoubles.push_back(precise);
    }
    for (std::size_t axis = 0; axis < static_cast<std::size_t>(D); ++axis)
        m_extent = std::max(m_extent, high[axis] - low[axis]);
    // Each copy is within a few units of its long number; a difference adds
    // the error of both and its own rounding.
    m_differenceError =
        32 * (std::numeric_limits<double>::epsilon() / 2) * static_cast<double>(largest);
    m_preciseDifferenceError = 32 * (std::numeric_limits<long double>::epsilon() / 2) * largest;
}

template<int D>
const typename HullPoints<D>::Integers& HullPoints<D>::exact(int index) const
{
    if (m_exact.empty())
        m_exact.resize(m_points.size());
    auto& slot = m_exact[static_cast<std::size_t>(index)];
    if (!slot) {
        Integers values;
        for (std::size_t axis = 0; axis < static_cast<std::size_t>(D); ++axis)
            values[axis] = ExactInteger::ofLongNum(*m_points[static_cast<std::size_t>(index)][axis],
                                                   m_droppedWords);
        slot = std::move(values);
    }
    return *slot;
}

template<int D>
const typename HullPoints<D>::Residues& HullPoints<D>::residues(int index, std::size_t prime) const
{
    if (m_residues.empty())
        m_residues.resize(m_points.size());
    auto& slot = m_residues[static_cast<std::size_t>(index)][prime];
    if (!slot) {
        const std::uint64_t modulus = kHullPrimes[prime];
        Residues values{};
        for (std::size_t axis = 0; axis < static_cast<std::size_t>(D); ++axis) {
            const LongNum& value = *m_points[static_cast<std::size_t>(index)][axis];
            WideUnsigned residue = 0;
            for (int word = 0; word < value.wordCount() - m_droppedWords; ++word)
                residue = (residue * 1000 + static_cast<unsigned>(value[word])) % modulus;
            auto magnitude = static_cast<std::uint64_t>(residue);
            values[axis] = value.isNegative() && magnitude != 0 ? modulus - magnitude : magnitude;
        }
        slot = values;
    }
    return *slot;
}

template class HullPoints<3>;
template class HullPoints<4>;

} // namespace kestrane
