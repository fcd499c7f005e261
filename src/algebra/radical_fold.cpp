// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/radical_fold.h"

#include <array>
#include <cassert>

namespace kestrane {

namespace {

using Fold = std::vector<RootPower>;

// Whole halves, thirds and quarters of the exponent leave for the lower
// degree, so each degree keeps fewer copies than a lower root would take.
Fold foldOf(int numerator, int denominator)
{
    switch (denominator) {
    case 4:
        // 3/4 = 1/2 + 1/4
        if (numerator >= 2)
            return {{2, 1}, {4, numerator - 2}};
        break;
    case 6:
        // 5/6 = 1/2 + 1/3 (1/6 stays)
        if (numerator == 5)
            return {{2, 1}, {3, 1}};
        break;
    case 8: {
        Fold fold;
        if (numerator >= 4) {
            fold.push_back({2, 1});
            numerator -= 4;
        }
        if (numerator >= 2) {
            fold.push_back({4, 1});
            numerator -= 2;
        }
        if (numerator > 0)
            fold.push_back({8, numerator});
        return fold;
    }
    case 9:
        // Whole thirds leave for the cube root.
        if (numerator >= 3) {
            Fold fold{{3, numerator / 3}};
            if (numerator % 3 > 0)
                fold.push_back({9, numerator % 3});
            return fold;
        }
        break;
    default:
        break;
    }
    return {{denominator, numerator}};
}

// Every k/d with 0 < k < d <= 9 reduced, indexed [d][k].
const std::array<std::array<Fold, kMaxRootDegree + 1>, kMaxRootDegree + 1>& foldTable()
{
    static const auto table = [] {
        std::array<std::array<Fold, kMaxRootDegree + 1>, kMaxRootDegree + 1> folds;
        for (int denominator = 2; denominator <= kMaxRootDegree; ++denominator) {
            for (int numerator = 1; numerator < denominator; ++numerator)
                folds[denominator][numerator] = foldOf(numerator, denominator);
        }
        return folds;
    }();
    return table;
}

} // namespace

std::span<const RootPower> foldExponent(int numerator, int denominator)
{
    assert(denominator >= 2 && denominator <= kMaxRootDegree);
    assert(numerator > 0 && numerator < denominator);
    return foldTable()[denominator][numerator];
}

} // namespace kestrane
