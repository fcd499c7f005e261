// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/cubic_function.h"

#include "algebra/exact_tree.h"
#include "algebra/long_eval.h"
#include "algebra/simplify.h"
#include "algebra/variable_table.h"
#include "expressions/expression_build.h"
#include "expressions/expression_text.h"
#include "graphs/script_expressions.h"
#include "numbers/long_values.h"
#include "platform/scripted_host.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numeric>

namespace kestrane {

namespace {

// Past this size the divisors of the constant term and of the leading
// coefficient are not searched for rational roots.
constexpr std::int64_t kMaxSearched = 1000000000000LL;
constexpr std::int64_t kMaxScaled = 1000000000000000000LL;

// Whole numbers for exact work on the coefficients' products.
__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 WideMagnitude;

// Something that stands in a formula, maybe more than once: each use builds
// a piece of its own, in parentheses unless it is one number, name or
// function application.
using Part = std::function<TreePiece()>;

TreePiece number(std::int64_t value)
{
    return TreePiece::number(std::to_string(value));
}

TreePiece operation(char sign, TreePiece left, TreePiece right)
{
    return TreePiece::operation(sign, std::move(left), std::move(right));
}

TreePiece fraction(TreePiece numerator, TreePiece denominator)
{
    return TreePiece::fraction(std::move(numerator), std::move(denominator));
}

TreePiece power(TreePiece base, std::int64_t exponent)
{
    return TreePiece::power(std::move(base), number(exponent));
}

// Whether the tree prints as one number, name or function application
// without a sign: it stands in a formula without parentheses.
bool isAtom(const FractNode& tree)
{
    const std::string text = printExpressionText(tree);
    bool atom = !text.empty() && text.find_first_of("+-*/^") == std::string::npos;
    if (!atom && text.size() > 2 && text.back() == ')') {
        std::size_t open = text.find('(');
        // A function application f(...) whose parenthesis closes at the end.
        int depth = 0;
        bool closesAtEnd = open != std::string::npos && open > 0;
        for (std::size_t index = open; closesAtEnd && index < text.size(); ++index) {
            depth += text[index] == '(' ? 1 : text[index] == ')' ? -1 : 0;
            if (depth == 0 && index + 1 < text.size())
                closesAtEnd = false;
        }
        bool plainName =
            open != std::string::npos && text.find_first_of("+-*/^") >= open && text[0] != '-';
        atom = closesAtEnd && plainName;
    }
    return atom;
}

Part partOf(SharedTree tree)
{
    const bool atom = isAtom(*tree);
    return [tree = std::move(tree), atom] {
        TreePiece piece = TreePiece::of(copyTree(*tree));
        return atom ? std::move(piece) : TreePiece::group(std::move(piece));
    };
}

Part partOf(ExactFraction value)
{
    return [value = std::move(value)] { return TreePiece::group(exactPiece(value)); };
}

// A whole number, in parentheses when it is negative.
TreePiece wholePiece(Wide value)
{
    WideMagnitude magnitude = value < 0 ? static_cast<WideMagnitude>(-(value + 1)) + 1
                                        : static_cast<WideMagnitude>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    TreePiece piece = TreePiece::number(std::move(digits));
    return value < 0 ? TreePiece::negated(std::move(piece)) : std::move(piece);
}

Part partOf(Wide value)
{
    return [value] {
        TreePiece piece = wholePiece(value);
        return value < 0 ? TreePiece::group(std::move(piece)) : std::move(piece);
    };
}

bool isZeroValue(const ExactFraction& value)
{
    return value.numerator().isZero();
}

// Brings the exact roots' formulas to the normal form of the simplifier,
// which the roots are then given in. The first refusal (numbers past the
// two-word integers, mostly) is kept, and the roots are given up: a formula
// left as it was written is no result.
class ExactWriter {
public:
    std::optional<ExactFraction> normalForm(TreePiece formula)
    {
        if (m_problem)
            return std::nullopt;
        std::unique_ptr<FractNode> tree = std::move(formula).tree();
        ExactMessage problem;
        std::optional<ExactFraction> normal =
            tree ? exactNormalForm(*tree, SimplifyFor::Script, problem) : std::nullopt;
        if (!tree)
            problem = exactProblemMessage(ExactProblem::Unsupported);
        if (!normal)
            m_problem = problem;
        return normal;
    }

    const std::optional<ExactMessage>& problem() const { return m_problem; }

private:
    std::optional<ExactMessage> m_problem;
};

using Values = std::optional<std::vector<ExactFraction>>;

struct Rational {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// The rational coefficients times the least common denominator, when all
// of them are rational and the products stay below 10^18.
std::optional<std::vector<std::int64_t>> integerScaled(const std::vector<SharedTree>& coefficients)
{
    std::vector<Rational> rationals;
    std::int64_t common = 1;
    for (const SharedTree& coefficient : coefficients) {
        ExactMessage problem;
        std::optional<ExactFraction> value =
            exactNormalForm(*coefficient, SimplifyFor::Script, problem);
        if (!value || !value->numerator().isRational() || !value->denominator().isRational())
            return std::nullopt;
        const ExactRational number =
            value->numerator().rationalValue() / value->denominator().rationalValue();
        Rational rational{number.numerator().value(), number.denominator().value()};
        rationals.push_back(rational);
        std::int64_t factor = rational.denominator / std::gcd(common, rational.denominator);
        if (__builtin_mul_overflow(common, factor, &common) || common > kMaxScaled)
            return std::nullopt;
    }
    std::vector<std::int64_t> scaled;
    for (const Rational& rational : rationals) {
        std::int64_t value = 0;
        if (__builtin_mul_overflow(rational.numerator, common / rational.denominator, &value) ||
            value > kMaxScaled || value < -kMaxScaled)
            return std::nullopt;
        scaled.push_back(value);
    }
    return scaled;
}

std::vector<std::int64_t> divisors(std::int64_t value)
{
    std::vector<std::int64_t> found;
    value = std::llabs(value);
    for (std::int64_t candidate = 1; candidate * candidate <= value; ++candidate) {
        if (value % candidate == 0) {
            found.push_back(candidate);
            if (candidate * candidate != value)
                found.push_back(value / candidate);
        }
    }
    return found;
}

// A rational root p/q of the integer cubic, in lowest terms: q divides the
// leading coefficient and p the constant term. Every rational root is real,
// so the numeric real roots tell which p belongs to each q; the candidate is
// then checked exactly.
std::optional<Rational> rationalRoot(const std::vector<std::int64_t>& k,
                                     const std::vector<LongComplex>& roots)
{
    if (k[3] == 0)
        return Rational{0, 1};
    if (std::llabs(k[0]) > kMaxSearched || std::llabs(k[3]) > kMaxSearched)
        return std::nullopt;
    for (std::int64_t q : divisors(k[0])) {
        for (const LongComplex& root : roots) {
            if (!LongIsZero(root.im))
                continue;
            double estimate = LongToDouble(root.re) * static_cast<double>(q);
            if (std::fabs(estimate) > static_cast<double>(kMaxSearched) + 1)
                continue;
            std::int64_t p = std::llround(estimate);
            if (p == 0 || k[3] % p != 0)
                continue;
            LongNum pp = LongNum::fromInteger(p);
            LongNum qq = LongNum::fromInteger(q);
            // a p^3 + b p^2 q + c p q^2 + d q^3, exact in integer words.
            LongNum value = times(LongNum::fromInteger(k[3]), times(qq, times(qq, qq)));
            value = plus(value, times(LongNum::fromInteger(k[2]), times(pp, times(qq, qq))));
            value = plus(value, times(LongNum::fromInteger(k[1]), times(pp, times(pp, qq))));
            value = plus(value, times(LongNum::fromInteger(k[0]), times(pp, times(pp, pp))));
            if (LongIsZero(value)) {
                std::int64_t common = std::gcd(p, q);
                return Rational{p / common, q / common};
            }
        }
    }
    return std::nullopt;
}

// The integer quadratic left when the root p/q (in lowest terms) is divided
// out of the integer cubic: a x^3 + b x^2 + c x + d = (q x - p)(A x^2 + B x +
// C), each of A, B, C whole (Gauss's lemma), with their common factor taken
// out. Nothing when a coefficient would pass 64 bits.
std::optional<std::array<std::int64_t, 3>> deflated(const std::vector<std::int64_t>& k,
                                                    const Rational& root)
{
    Wide p = root.numerator;
    Wide q = root.denominator;
    Wide a = k[0] / q;
    Wide b = (k[1] + a * p) / q;
    Wide c = (k[2] + b * p) / q;
    constexpr Wide kLimit = static_cast<Wide>(kMaxScaled);
    for (Wide value : {a, b, c}) {
        if (value > kLimit || value < -kLimit)
            return std::nullopt;
    }
    std::array<std::int64_t, 3> quotient = {
        static_cast<std::int64_t>(a), static_cast<std::int64_t>(b), static_cast<std::int64_t>(c)};
    std::int64_t common = std::gcd(std::gcd(quotient[0], quotient[1]), quotient[2]);
    for (std::int64_t& coefficient : quotient)
        coefficient /= common;
    return quotient;
}

Values quadraticFormula(ExactWriter& writer, const Part& a, const Part& b, const Part& c)
{
    std::optional<ExactFraction> discriminant = writer.normalForm(
        operation('-', power(b(), 2), operation('*', operation('*', number(4), a()), c())));
    if (!discriminant)
        return std::nullopt;
    std::vector<ExactFraction> roots;
    for (char sign : {'+', '-'}) {
        TreePiece top = TreePiece::group(operation(sign, TreePiece::negated(b()),
                                                   TreePiece::root(2, exactPiece(*discriminant))));
        TreePiece twoA = TreePiece::group(operation('*', number(2), a()));
        std::optional<ExactFraction> root =
            writer.normalForm(fraction(std::move(top), std::move(twoA)));
        if (!root)
            return std::nullopt;
        roots.push_back(*root);
    }
    return roots;
}

enum class CardanoCase { OneReal, Double, ThreeReal, Unknown };

// The case as the numeric roots show it.
CardanoCase caseOf(const std::vector<LongComplex>& roots)
{
    if (roots.empty())
        return CardanoCase::Unknown;
    for (const LongComplex& root : roots) {
        if (!LongIsZero(root.im))
            return CardanoCase::OneReal;
    }
    for (std::size_t i = 0; i + 1 < roots.size(); ++i) {
        if (roots[i].re == roots[i + 1].re)
            return CardanoCase::Double;
    }
    return CardanoCase::ThreeReal;
}

// A cube root of a simplified radicand. The simplifier takes the real cube
// root of a number below zero (root(3,-8) = -2), as the formulas need;
// complex radicands give the principal root.
std::optional<Part> cubeRoot(ExactWriter& writer, TreePiece radicand)
{
    std::optional<ExactFraction> simple = writer.normalForm(std::move(radicand));
    if (!simple)
        return std::nullopt;
    if (isZeroValue(*simple))
        return Part([] { return number(0); });
    return Part([simple = *simple] { return TreePiece::root(3, exactPiece(simple)); });
}

// The pieces of Cardano's formula for a cubic a x^3 + b x^2 + c x + d:
// the two cube roots u and v of the depressed cubic and the shift s = b/3a
// taken off (y = x + s).
struct CardanoParts {
    Part u;
    Part v;
    Part shift;
};

// The parts from the intermediates s, p, q, D of any coefficients, each
// simplified on its own and then standing in the next.
std::optional<CardanoParts> generalParts(ExactWriter& writer, const std::vector<Part>& k,
                                         CardanoCase kind)
{
    auto define = [&writer](TreePiece formula) -> std::optional<Part> {
        std::optional<ExactFraction> simple = writer.normalForm(std::move(formula));
        return simple ? std::optional(partOf(*simple)) : std::nullopt;
    };
    const Part& a = k[0];
    std::optional<Part> s =
        define(fraction(k[1](), TreePiece::group(operation('*', number(3), a()))));
    std::optional<Part> p = s ? define(operation('-', fraction(k[2](), a()),
                                                 operation('*', number(3), power((*s)(), 2))))
                              : std::nullopt;
    std::optional<Part> q =
        p ? define(operation('+',
                             operation('-', operation('*', number(2), power((*s)(), 3)),
                                       operation('*', (*s)(), fraction(k[2](), a()))),
                             fraction(k[3](), a())))
          : std::nullopt;
    std::optional<Part> delta =
        q ? define(operation('+', power(TreePiece::group(fraction((*q)(), number(2))), 2),
                             power(TreePiece::group(fraction((*p)(), number(3))), 3)))
          : std::nullopt;
    if (!delta)
        return std::nullopt;
    auto half = [&q] { return fraction(TreePiece::negated((*q)()), number(2)); };
    std::optional<Part> u;
    std::optional<Part> v = Part([] { return number(0); });
    switch (kind) {
    case CardanoCase::Double:
        u = cubeRoot(writer, half());
        break;
    case CardanoCase::ThreeReal: {
        auto imaginary = [&delta] {
            return operation('*', TreePiece::name("i"),
                             TreePiece::root(2, TreePiece::negated((*delta)())));
        };
        u = cubeRoot(writer, operation('+', half(), imaginary()));
        v = cubeRoot(writer, operation('-', half(), imaginary()));
        break;
    }
    default:
        u = cubeRoot(writer, operation('+', half(), TreePiece::root(2, (*delta)())));
        v = cubeRoot(writer, operation('-', half(), TreePiece::root(2, (*delta)())));
        break;
    }
    if (!u || !v)
        return std::nullopt;
    return CardanoParts{*u, *v, *s};
}

// a * b + c, nothing past 128 bits.
std::optional<Wide> multiplyAdd(std::optional<Wide> a, std::optional<Wide> b, Wide c = 0)
{
    Wide product = 0;
    Wide sum = 0;
    if (!a || !b || __builtin_mul_overflow(*a, *b, &product) ||
        __builtin_add_overflow(product, c, &sum))
        return std::nullopt;
    return sum;
}

// The parts of an integer cubic (a > 0) from its whole-number invariants
// D0 = b^2 - 3ac, D1 = 2b^3 - 9abc + 27a^2 d and D = D1^2 - 4 D0^3:
// u = cbrt((-D1 + sqrt(D))/2) / 3a, v the same with -sqrt(D). Their numbers
// stay near the size of the coefficients' powers, where the fractions of
// p, q and (q/2)^2 + (p/3)^3 soon pass the simplifier's integers. Nothing
// when they pass 128 bits, or for a double root (a rational one).
std::optional<CardanoParts> integerParts(ExactWriter& writer, std::vector<std::int64_t> k,
                                         CardanoCase kind)
{
    if (kind != CardanoCase::OneReal && kind != CardanoCase::ThreeReal)
        return std::nullopt;
    if (k[0] < 0) {
        for (std::int64_t& coefficient : k)
            coefficient = -coefficient;
    }
    Wide a = k[0], b = k[1], c = k[2], d = k[3];
    std::optional<Wide> d0 = multiplyAdd(b, b, 0);
    std::optional<Wide> ac = multiplyAdd(a, c);
    d0 = d0 && ac ? multiplyAdd(*ac, -3, *d0) : std::nullopt;
    std::optional<Wide> d1 = multiplyAdd(multiplyAdd(b, b), multiplyAdd(b, 2));
    d1 = d1 ? multiplyAdd(multiplyAdd(ac, b), -9, *d1) : std::nullopt;
    d1 = d1 ? multiplyAdd(multiplyAdd(multiplyAdd(a, a), d), 27, *d1) : std::nullopt;
    std::optional<Wide> cube = multiplyAdd(multiplyAdd(d0, d0), d0);
    std::optional<Wide> discriminant =
        d1 && cube ? multiplyAdd(*cube, -4, *multiplyAdd(d1, d1)) : std::nullopt;
    if (!discriminant || *discriminant == 0)
        return std::nullopt;
    const Wide minusD1 = -*d1;
    const Wide D = *discriminant;
    auto radicand = [&](char sign) {
        TreePiece root =
            D > 0 ? TreePiece::root(2, wholePiece(D))
                  : operation('*', TreePiece::name("i"), TreePiece::root(2, wholePiece(-D)));
        return fraction(TreePiece::group(operation(sign, wholePiece(minusD1), std::move(root))),
                        number(2));
    };
    std::optional<Part> u = cubeRoot(writer, radicand('+'));
    std::optional<Part> v = cubeRoot(writer, radicand('-'));
    if (!u || !v)
        return std::nullopt;
    const Wide threeA = 3 * a;
    auto over3a = [threeA](Part part) {
        return Part([part = std::move(part), threeA] {
            return TreePiece::group(fraction(TreePiece::group(part()), wholePiece(threeA)));
        });
    };
    Part shift = [b, threeA] { return fraction(wholePiece(b), wholePiece(threeA)); };
    return CardanoParts{over3a(*u), over3a(*v), shift};
}

// The roots by Cardano's formula, each simplified whole with the cube roots
// in place; in the e form when all three are real (e the unit root
// (-1 + i*sqrt(3))/2).
Values cardanoRoots(ExactWriter& writer, const std::vector<Part>& k,
                    const std::optional<std::vector<std::int64_t>>& scaled, CardanoCase kind)
{
    std::optional<CardanoParts> parts = scaled ? integerParts(writer, *scaled, kind) : std::nullopt;
    if (!parts && !writer.problem())
        parts = generalParts(writer, k, kind);
    if (!parts)
        return std::nullopt;
    const Part& u = parts->u;
    const Part& v = parts->v;
    auto shifted = [&parts](TreePiece formula) {
        return operation('-', std::move(formula), parts->shift());
    };
    auto epsilon = [] { return TreePiece::name("\u03B5"); };
    std::vector<TreePiece> formulas;
    auto epsilonForm = [&](std::array<int, 3> order) {
        for (int which : order) {
            TreePiece term = which == 0   ? operation('+', u(), v())
                             : which == 1 ? operation('+', operation('*', epsilon(), u()),
                                                      operation('*', power(epsilon(), 2), v()))
                                          : operation('+', operation('*', power(epsilon(), 2), u()),
                                                      operation('*', epsilon(), v()));
            formulas.push_back(shifted(std::move(term)));
        }
    };
    switch (kind) {
    case CardanoCase::OneReal: {
        formulas.push_back(shifted(operation('+', u(), v())));
        auto re = [&] {
            return shifted(fraction(TreePiece::negated(TreePiece::group(operation('+', u(), v()))),
                                    number(2)));
        };
        auto im = [&] {
            return operation('*',
                             operation('*', TreePiece::name("i"),
                                       fraction(TreePiece::root(2, number(3)), number(2))),
                             TreePiece::group(operation('-', u(), v())));
        };
        formulas.push_back(operation('+', re(), im()));
        formulas.push_back(operation('-', re(), im()));
        break;
    }
    case CardanoCase::Double:
        formulas.push_back(shifted(operation('*', number(2), u())));
        formulas.push_back(shifted(TreePiece::negated(u())));
        formulas.push_back(shifted(TreePiece::negated(u())));
        break;
    case CardanoCase::ThreeReal:
        epsilonForm({1, 2, 0});
        break;
    case CardanoCase::Unknown:
        epsilonForm({0, 1, 2});
        break;
    }
    std::vector<ExactFraction> roots;
    for (TreePiece& formula : formulas) {
        std::optional<ExactFraction> root = writer.normalForm(std::move(formula));
        if (!root)
            return std::nullopt;
        roots.push_back(*root);
    }
    return roots;
}

Values exactCubicRoots(ExactWriter& writer, const std::vector<Part>& k,
                       const std::optional<std::vector<std::int64_t>>& scaled,
                       const std::vector<LongComplex>& numeric)
{
    std::optional<Rational> rational = scaled ? rationalRoot(*scaled, numeric) : std::nullopt;
    if (!rational)
        return cardanoRoots(writer, k, scaled, caseOf(numeric));
    std::optional<ExactFraction> root =
        writer.normalForm(fraction(wholePiece(rational->numerator), number(rational->denominator)));
    if (!root)
        return std::nullopt;
    Values roots;
    if (auto quotient = deflated(*scaled, *rational)) {
        roots = quadraticFormula(writer, partOf(Wide((*quotient)[0])), partOf(Wide((*quotient)[1])),
                                 partOf(Wide((*quotient)[2])));
    } else {
        // (x - r)(a x^2 + B x + C) with B = b + a r and C = c + B r.
        const Part r = partOf(*root);
        std::optional<ExactFraction> b =
            writer.normalForm(operation('+', k[1](), operation('*', k[0](), r())));
        std::optional<ExactFraction> c =
            b ? writer.normalForm(operation('+', k[2](), operation('*', partOf(*b)(), r())))
              : std::nullopt;
        if (c)
            roots = quadraticFormula(writer, k[0], partOf(*b), partOf(*c));
    }
    if (!roots)
        return std::nullopt;
    roots->insert(roots->begin(), *root);
    return roots;
}

// The exact root's value at the solver's precision, the unit root ε known.
std::optional<LongComplex> exactValue(const FractNode& root, const FractNode& epsilon)
{
    ScriptedHost silent;
    LongVariables values{{"ε", &epsilon}};
    // Real first: a real cube root of a negative number keeps its sign.
    std::optional<LongComplex> value = evaluateLong(root, values, NumberField::Real, silent);
    if (!value) {
        ScriptedHost quiet;
        value = evaluateLong(root, values, NumberField::Complex, quiet);
    }
    if (!value)
        return std::nullopt;
    return LongComplex{cutToRootWords(value->re), cutToRootWords(value->im)};
}

// Whether the tree names the unit root ε anywhere.
bool namesUnitRoot(const FractNode& tree)
{
    return !everyNode(tree, [](const FractNode& node) {
        return !(node.symbol && node.text && *node.text == "e");
    });
}

std::vector<ExactRoot> exactRoots(const std::vector<ExactFraction>& exact)
{
    std::unique_ptr<FractNode> unit = unitRootValue();
    SharedTree epsilon(std::move(unit));
    std::vector<ExactRoot> roots;
    std::vector<LongComplex> values;
    bool allValued = true;
    for (const ExactFraction& form : exact) {
        ExactRoot root;
        std::unique_ptr<FractNode> tree = exactTree(form);
        if (!tree)
            return {};
        root.expression = SharedTree(std::move(tree));
        if (namesUnitRoot(*root.expression))
            root.values.emplace_back("\u03B5", epsilon);
        std::optional<LongComplex> value = exactValue(*root.expression, *epsilon);
        if (value) {
            root.value = rootText(value->re, value->im);
            values.push_back(*value);
        } else {
            allValued = false;
        }
        roots.push_back(std::move(root));
    }
    if (!allValued)
        return roots;
    // Number the exact roots as the numeric ones.
    std::vector<std::size_t> order(roots.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<LongComplex> sorted = values;
    sortRoots(sorted);
    std::vector<ExactRoot> numbered;
    std::vector<bool> taken(roots.size(), false);
    for (const LongComplex& value : sorted) {
        for (std::size_t index = 0; index < roots.size(); ++index) {
            if (!taken[index] && values[index].re == value.re && values[index].im == value.im) {
                taken[index] = true;
                numbered.push_back(roots[index]);
                break;
            }
        }
    }
    return numbered;
}

// a*x^3 + b*x^2 + c*x + d with each coefficient in place.
std::unique_ptr<FractNode> builtTree(const std::vector<SharedTree>& k)
{
    const std::size_t first = 4 - k.size();
    TreePiece sum;
    for (std::size_t index = 0; index < k.size(); ++index) {
        const int exponent = static_cast<int>(3 - (first + index));
        TreePiece term = partOf(k[index])();
        if (exponent > 0) {
            TreePiece x = TreePiece::name("x");
            if (exponent > 1)
                x = power(std::move(x), exponent);
            term = operation('*', std::move(term), std::move(x));
        }
        sum = sum ? operation('+', std::move(sum), std::move(term)) : std::move(term);
    }
    return std::move(sum).tree();
}

struct Evaluated {
    std::vector<LongNum> values;
    bool computable = true;
};

Evaluated evaluateCoefficients(const std::vector<SharedTree>& coefficients,
                               const std::optional<std::vector<std::int64_t>>& scaled)
{
    Evaluated result;
    if (scaled) {
        for (std::int64_t value : *scaled)
            result.values.push_back(LongNum::fromInteger(value));
        return result;
    }
    for (const SharedTree& coefficient : coefficients) {
        ScriptedHost silent;
        LongVariables none;
        std::optional<LongComplex> value =
            evaluateLong(*coefficient, none, NumberField::Real, silent);
        if (!value) {
            result.computable = false;
            return result;
        }
        result.values.push_back(value->re);
    }
    return result;
}

bool namesVariables(const std::vector<std::unique_ptr<FractNode>>& coefficients)
{
    for (const auto& coefficient : coefficients) {
        if (!expressionNames(*coefficient).names.empty())
            return true;
    }
    return false;
}

} // namespace

std::unique_ptr<FractNode> unitRootValue()
{
    TreePiece top = operation('+', TreePiece::negated(number(1)),
                              operation('*', TreePiece::name("i"), TreePiece::root(2, number(3))));
    return fraction(TreePiece::group(std::move(top)), number(2)).tree();
}

Polynomial makePolynomial(std::vector<std::unique_ptr<FractNode>> coefficients,
                          const VariableTable* values, RootKinds kinds)
{
    Polynomial polynomial;
    std::vector<SharedTree> substituted;
    for (const auto& coefficient : coefficients) {
        substituted.push_back(SharedTree(simplifiedForScript(*coefficient, values)));
        polynomial.coefficients.push_back(SharedTree(copyTree(*coefficient)));
    }
    std::unique_ptr<FractNode> built = builtTree(polynomial.coefficients);
    std::unique_ptr<FractNode> whole = builtTree(substituted);
    if (!built || !whole) {
        // Coefficients past the limits of a tree: no polynomial to solve.
        polynomial.built = SharedTree(TreePiece::number("0").tree());
        polynomial.simplified = polynomial.built;
        polynomial.leadingZero = true;
        return polynomial;
    }
    polynomial.built = SharedTree(std::move(built));
    polynomial.simplified = SharedTree(simplifiedForScript(*whole));

    SolverPrecision precision;
    std::optional<std::vector<std::int64_t>> scaled = integerScaled(substituted);
    Evaluated evaluated = evaluateCoefficients(substituted, scaled);
    polynomial.leadingZero = printExpressionText(*substituted[0]) == "0" ||
                             (evaluated.computable && LongIsZero(evaluated.values[0]));
    if (polynomial.leadingZero)
        return polynomial;
    std::vector<LongComplex> numeric;
    if (evaluated.computable) {
        for (const LongNum& value : evaluated.values)
            polynomial.values.push_back(LongToDouble(value));
        SolverInput input{evaluated.values, std::nullopt};
        if (scaled)
            input.integerScaled = evaluated.values;
        numeric = solvePolynomial(input);
        for (const LongComplex& root : numeric)
            polynomial.roots.push_back(describeRoot(root));
    }
    // Coefficients that name no variable but still have no value (a root of
    // a negative number, a complex number) give no exact roots either.
    if (kinds == RootKinds::Numeric || (!evaluated.computable && !namesVariables(coefficients)))
        return polynomial;
    ExactWriter writer;
    std::vector<Part> k;
    for (const SharedTree& coefficient : substituted)
        k.push_back(partOf(coefficient));
    Values exact = polynomial.degree() == 2 ? quadraticFormula(writer, k[0], k[1], k[2])
                                            : exactCubicRoots(writer, k, scaled, numeric);
    if (exact)
        polynomial.exact = exactRoots(*exact);
    else
        polynomial.exactProblem = writer.problem();
    return polynomial;
}

std::optional<std::pair<double, double>> interestingRange(const Polynomial& polynomial)
{
    std::vector<double> points;
    for (const NumericRoot& root : polynomial.roots) {
        if (root.isReal())
            points.push_back(root.re);
    }
    // Turning points: the real zeros of the derivative, in doubles.
    const std::vector<double>& k = polynomial.values;
    if (k.size() == 3 && k[0] != 0) {
        points.push_back(-k[1] / (2 * k[0]));
    } else if (k.size() == 4 && k[0] != 0) {
        // 3a x^2 + 2b x + c = 0.
        double a = 3 * k[0], b = 2 * k[1], c = k[2];
        double discriminant = b * b - 4 * a * c;
        if (discriminant >= 0) {
            points.push_back((-b - std::sqrt(discriminant)) / (2 * a));
            points.push_back((-b + std::sqrt(discriminant)) / (2 * a));
        }
    }
    if (points.empty())
        return std::nullopt;
    auto [low, high] = std::minmax_element(points.begin(), points.end());
    return std::make_pair(*low, *high);
}

} // namespace kestrane
