// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/radical_rationalise.h"

#include "algebra/radical_fold.h"

#include <algorithm>
#include <numeric>

namespace kestrane {

namespace {

using Matrix = std::vector<std::vector<ExactSum>>;

// The base to remove and the common degree L of its roots in D.
struct Generator {
    ExactFactor base;
    int degree = 0;
};

std::optional<Generator> chooseGenerator(const ExactSum& denominator, ExactProblem& problem)
{
    // A sum under a root stands in a term as a name does.
    bool names = denominator.hasNames() ||
                 std::any_of(denominator.terms().begin(), denominator.terms().end(),
                             [](const ExactTerm& term) { return term.hasRadicals(); });
    std::vector<Generator> candidates;
    for (const ExactTerm& term : denominator.terms()) {
        for (const ExactFactor& factor : term.factors) {
            int degree = factor.kind == FactorKind::Imaginary
                             ? 2
                             : factor.exponent.fractionPart().denominator;
            if (degree == 1)
                continue;
            auto found = std::find_if(candidates.begin(), candidates.end(),
                                      [&](const Generator& g) { return g.base.sameBase(factor); });
            if (found == candidates.end())
                candidates.push_back({factor, degree});
            else
                found->degree = std::lcm(found->degree, degree);
        }
    }
    for (const Generator& candidate : candidates) {
        if (names && candidate.degree != 2)
            continue;
        if (candidate.degree > kMaxRootDegree) {
            problem = ExactProblem::Unsupported;
            return std::nullopt;
        }
        return candidate;
    }
    return std::nullopt;
}

// t^power, t the L-th root of the generator's base.
ExactSum rootPower(const Generator& generator, int power)
{
    ExactFactor factor = generator.base;
    factor.exponent = SmallRational(power, generator.degree);
    if (generator.base.kind == FactorKind::Imaginary)
        factor.exponent = power;
    return ExactSum::power(factor);
}

// D = sum of c_j t^j, j < L, the c_j free of t.
std::vector<ExactSum> splitByPowers(const ExactSum& denominator, const Generator& generator)
{
    std::vector<std::vector<ExactTerm>> parts(static_cast<size_t>(generator.degree));
    for (const ExactTerm& term : denominator.terms()) {
        ExactTerm rest = term;
        int power = 0;
        for (size_t i = 0; i < rest.factors.size(); ++i) {
            ExactFactor& factor = rest.factors[i];
            if (!factor.sameBase(generator.base))
                continue;
            if (factor.kind == FactorKind::Imaginary) {
                power = 1;
                rest.factors.erase(rest.factors.begin() + static_cast<long>(i));
            } else {
                SmallRational fraction = factor.exponent.fractionPart();
                power = static_cast<int>(fraction.numerator *
                                         (generator.degree / fraction.denominator));
                factor.exponent = factor.exponent.floor();
            }
            break;
        }
        parts[static_cast<size_t>(power)].push_back(std::move(rest));
    }
    std::vector<ExactSum> sums;
    for (auto& part : parts)
        sums.push_back(ExactSum::collect(std::move(part)));
    return sums;
}

// The value of t^L.
ExactSum baseValue(const Generator& generator)
{
    if (generator.base.kind == FactorKind::Imaginary)
        return ExactRational(-1);
    ExactFactor factor = generator.base;
    factor.exponent = 1;
    return ExactSum::power(factor);
}

Matrix multiply(const Matrix& a, const Matrix& b)
{
    size_t n = a.size();
    Matrix product(n, std::vector<ExactSum>(n));
    for (size_t row = 0; row < n; ++row) {
        for (size_t column = 0; column < n; ++column) {
            std::vector<ExactTerm> terms;
            for (size_t k = 0; k < n; ++k) {
                ExactSum part = a[row][k] * b[k][column];
                if (part.failed())
                    return {{part}};
                terms.insert(terms.end(), part.terms().begin(), part.terms().end());
            }
            product[row][column] = ExactSum::collect(std::move(terms));
        }
    }
    return product;
}

// The first column of the adjugate of M by the Faddeev-LeVerrier recurrence,
// which divides only by the integers 1..n, never by ring elements:
// M_1 = I, c = -tr(M M_k) / k, M_(k+1) = M M_k + c I, adj(M) = (-1)^(n+1) M_n.
std::vector<ExactSum> adjugateFirstColumn(const Matrix& m)
{
    size_t n = m.size();
    Matrix current(n, std::vector<ExactSum>(n));
    for (size_t i = 0; i < n; ++i)
        current[i][i] = ExactRational(1);
    for (size_t k = 1; k < n; ++k) {
        Matrix next = multiply(m, current);
        if (next.size() != n)
            return {next[0][0]};
        ExactSum trace;
        for (size_t i = 0; i < n; ++i)
            trace += next[i][i];
        ExactSum scalar =
            trace.scaled(ExactRational(-1) / ExactRational(static_cast<std::int64_t>(k)));
        for (size_t i = 0; i < n; ++i)
            next[i][i] += scalar;
        current = std::move(next);
    }
    std::vector<ExactSum> column;
    ExactRational sign = n % 2 == 1 ? 1 : -1;
    for (size_t i = 0; i < n; ++i)
        column.push_back(current[i][0].scaled(sign));
    return column;
}

} // namespace

std::optional<ExactSum> rationalisingFactor(const ExactSum& denominator)
{
    ExactProblem problem = ExactProblem::None;
    auto generator = chooseGenerator(denominator, problem);
    if (problem != ExactProblem::None)
        return ExactSum::failed(problem);
    if (!generator)
        return std::nullopt;
    std::vector<ExactSum> parts = splitByPowers(denominator, *generator);
    int degree = generator->degree;
    if (degree == 2)
        return parts[0] - parts[1] * rootPower(*generator, 1);
    // Column k of M holds D t^k in the basis 1, t, ..., t^(L-1).
    ExactSum base = baseValue(*generator);
    Matrix m(static_cast<size_t>(degree), std::vector<ExactSum>(static_cast<size_t>(degree)));
    for (int k = 0; k < degree; ++k) {
        for (int j = 0; j < degree; ++j) {
            int row = (j + k) % degree;
            m[static_cast<size_t>(row)][static_cast<size_t>(k)] =
                j + k >= degree ? parts[static_cast<size_t>(j)] * base
                                : parts[static_cast<size_t>(j)];
        }
    }
    std::vector<ExactSum> column = adjugateFirstColumn(m);
    if (column.size() != static_cast<size_t>(degree))
        return column.front();
    ExactSum factor;
    for (int r = 0; r < degree; ++r)
        factor += column[static_cast<size_t>(r)] * rootPower(*generator, r);
    return factor;
}

} // namespace kestrane
