// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/cubic_function.h"

#include "algebra/long_eval.h"
#include "algebra/simplify.h"
#include "algebra/variable_table.h"
#include "expressions/expression_text.h"
#include "expressions/mark_matching.h"
#include "graphs/script_expressions.h"
#include "numbers/long_values.h"
#include "platform/scripted_host.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace kestrane {

namespace {

// Past this size the divisors of the constant term and of the leading
// coefficient are not searched for rational roots.
constexpr std::int64_t kMaxSearched = 1000000000000LL;
constexpr std::int64_t kMaxScaled = 1000000000000000000LL;

using Text = std::string;
// Whole numbers for exact work on the coefficients' products.
__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 WideMagnitude;

// The text in parentheses unless it is one number, name or function
// application without a sign.
Text group(const Text& text)
{
    bool atom = !text.empty() && text.find_first_of("+-*/^") == Text::npos;
    if (!atom && text.size() > 2 && text.back() == ')') {
        std::size_t open = text.find('(');
        // A function application f(...) whose parenthesis closes at the end.
        int depth = 0;
        bool closesAtEnd = open != Text::npos && open > 0;
        for (std::size_t index = open; closesAtEnd && index < text.size(); ++index) {
            depth += text[index] == '(' ? 1 : text[index] == ')' ? -1 : 0;
            if (depth == 0 && index + 1 < text.size())
                closesAtEnd = false;
        }
        bool plainName =
            open != Text::npos && text.find_first_of("+-*/^") >= open && text[0] != '-';
        atom = closesAtEnd && plainName;
    }
    return atom ? text : '(' + text + ')';
}

std::unique_ptr<FractNode> parsed(const Text& text)
{
    return std::move(parseExpressionText(text).tree);
}

// Writes the exact roots: each text in the normal form of the simplifier,
// which the roots are then given in. The first refusal (numbers past the
// two-word integers, mostly) is kept, and the roots are given up: a formula
// left as it was written is no result.
class ExactWriter {
public:
    std::optional<Text> normalForm(const Text& text)
    {
        if (m_problem)
            return std::nullopt;
        ExactMessage problem;
        std::optional<Text> normal = normalFormText(text, SimplifyFor::Script, problem);
        if (!normal)
            m_problem = problem;
        return normal;
    }

    const std::optional<ExactMessage>& problem() const { return m_problem; }

private:
    std::optional<ExactMessage> m_problem;
};

using Texts = std::optional<std::vector<Text>>;

struct Rational {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::int64_t value = std::stoll(std::string(text));
    return negative ? -value : value;
}

// "-3", "7/2", "-7/2" or "(-7)/2": the printed forms of rational numbers.
std::optional<Rational> rationalOf(const Text& text)
{
    std::string plain;
    for (char c : text) {
        if (c != '(' && c != ')')
            plain += c;
    }
    std::size_t slash = plain.find('/');
    std::optional<std::int64_t> numerator = parseInteger(plain.substr(0, slash));
    if (!numerator)
        return std::nullopt;
    if (slash == std::string::npos)
        return Rational{*numerator, 1};
    std::optional<std::int64_t> denominator = parseInteger(plain.substr(slash + 1));
    if (!denominator || *denominator <= 0)
        return std::nullopt;
    return Rational{*numerator, *denominator};
}

// The rational coefficients times the least common denominator, when all
// of them are rational and the products stay below 10^18.
std::optional<std::vector<std::int64_t>> integerScaled(const std::vector<Text>& texts)
{
    std::vector<Rational> rationals;
    std::int64_t common = 1;
    for (const Text& text : texts) {
        std::optional<Rational> rational = rationalOf(text);
        if (!rational)
            return std::nullopt;
        rationals.push_back(*rational);
        std::int64_t factor = rational->denominator / std::gcd(common, rational->denominator);
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

Texts quadraticFormula(ExactWriter& writer, const Text& a, const Text& b, const Text& c)
{
    std::optional<Text> discriminant =
        writer.normalForm(group(b) + "^2-4*" + group(a) + '*' + group(c));
    if (!discriminant)
        return std::nullopt;
    Text twoA = "(2*" + group(a) + ')';
    std::vector<Text> roots;
    for (const char* sign : {"+", "-"}) {
        std::optional<Text> root =
            writer.normalForm("(-" + group(b) + sign + "sqrt(" + *discriminant + "))/" + twoA);
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

std::optional<LongComplex> evaluated(const Text& text, NumberField field)
{
    std::unique_ptr<FractNode> tree = parsed(text);
    if (!tree)
        return std::nullopt;
    ScriptedHost silent;
    LongVariables none;
    return evaluateLong(*tree, none, field, silent);
}

// Cube roots stand in the root formulas as names while the formulas are
// built, and are written in before the whole is simplified: names of four
// characters that no coefficient uses.
std::pair<Text, Text> placeholders(const std::vector<Text>& coefficients)
{
    for (char digit = '0'; digit <= '9'; ++digit) {
        Text u = Text("Cbu") + digit;
        Text v = Text("Cbv") + digit;
        bool used = std::any_of(coefficients.begin(), coefficients.end(), [&](const Text& text) {
            return text.find(u) != Text::npos || text.find(v) != Text::npos;
        });
        if (!used)
            return {u, v};
    }
    return {"Cbux", "Cbvx"};
}

// A cube root of a simplified radicand. The simplifier takes the real cube
// root of a number below zero (root(3,-8) = -2), as the formulas need;
// complex radicands give the principal root.
std::optional<Text> cubeRoot(ExactWriter& writer, const Text& radicand)
{
    std::optional<Text> simple = writer.normalForm(radicand);
    if (!simple)
        return std::nullopt;
    return *simple == "0" ? Text("0") : "root(3," + *simple + ')';
}

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Every whole-word occurrence of the name replaced by the text.
Text replaceName(Text text, std::string_view name, const Text& replacement)
{
    std::size_t at = 0;
    while ((at = text.find(name, at)) != Text::npos) {
        std::size_t end = at + name.size();
        bool whole = (at == 0 || !isNameCharacter(text[at - 1])) &&
                     (end == text.size() || !isNameCharacter(text[end]));
        if (!whole) {
            at = end;
            continue;
        }
        text.replace(at, name.size(), replacement);
        at += replacement.size();
    }
    return text;
}

// The pieces of Cardano's formula for a cubic a x^3 + b x^2 + c x + d:
// the two cube roots u and v of the depressed cubic and the shift s = b/3a
// taken off (y = x + s), as texts.
struct CardanoParts {
    Text u;
    Text v;
    Text minusShift;
};

// The parts from the intermediates s, p, q, D of any coefficients, each
// simplified on its own and written into the next as text.
std::optional<CardanoParts> generalParts(ExactWriter& writer, const std::vector<Text>& k,
                                         CardanoCase kind)
{
    auto define = [&writer](const Text& text) -> std::optional<Text> {
        std::optional<Text> simple = writer.normalForm(text);
        return simple ? std::optional(group(*simple)) : std::nullopt;
    };
    Text a = group(k[0]);
    std::optional<Text> s = define(group(k[1]) + "/(3*" + a + ')');
    std::optional<Text> p = s ? define(group(k[2]) + '/' + a + "-3*" + *s + "^2") : std::nullopt;
    std::optional<Text> q = p ? define("2*" + *s + "^3-" + *s + '*' + group(k[2]) + '/' + a + '+' +
                                       group(k[3]) + '/' + a)
                              : std::nullopt;
    std::optional<Text> delta = q ? define('(' + *q + "/2)^2+(" + *p + "/3)^3") : std::nullopt;
    if (!delta)
        return std::nullopt;
    std::optional<Text> u;
    std::optional<Text> v = Text("0");
    switch (kind) {
    case CardanoCase::Double:
        u = cubeRoot(writer, "-" + *q + "/2");
        break;
    case CardanoCase::ThreeReal:
        u = cubeRoot(writer, "-" + *q + "/2+i*sqrt(-" + *delta + ')');
        v = cubeRoot(writer, "-" + *q + "/2-i*sqrt(-" + *delta + ')');
        break;
    default:
        u = cubeRoot(writer, "-" + *q + "/2+sqrt(" + *delta + ')');
        v = cubeRoot(writer, "-" + *q + "/2-sqrt(" + *delta + ')');
        break;
    }
    if (!u || !v)
        return std::nullopt;
    return CardanoParts{*u, *v, "-" + *s};
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

Text wideText(Wide value)
{
    bool negative = value < 0;
    WideMagnitude magnitude =
        negative ? static_cast<WideMagnitude>(-(value + 1)) + 1 : static_cast<WideMagnitude>(value);
    Text digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? '-' + digits : digits;
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
    Text minusD1 = wideText(-*d1);
    Text root = *discriminant > 0 ? "sqrt(" + wideText(*discriminant) + ')'
                                  : "i*sqrt(" + wideText(-*discriminant) + ')';
    std::optional<Text> u = cubeRoot(writer, '(' + minusD1 + '+' + root + ")/2");
    std::optional<Text> v = cubeRoot(writer, '(' + minusD1 + '-' + root + ")/2");
    if (!u || !v)
        return std::nullopt;
    Text threeA = wideText(3 * a);
    return CardanoParts{'(' + *u + ")/" + threeA, '(' + *v + ")/" + threeA,
                        "-(" + wideText(b) + ")/" + threeA};
}

// The roots by Cardano's formula, each simplified whole with the cube roots
// written in; in the e form when all three are real (e the unit root
// (-1 + i*sqrt(3))/2).
Texts cardanoRoots(ExactWriter& writer, const std::vector<Text>& k,
                   const std::optional<std::vector<std::int64_t>>& scaled, CardanoCase kind)
{
    std::optional<CardanoParts> parts = scaled ? integerParts(writer, *scaled, kind) : std::nullopt;
    if (!parts && !writer.problem())
        parts = generalParts(writer, k, kind);
    if (!parts)
        return std::nullopt;
    // Named, not bound: lambdas cannot capture structured bindings everywhere.
    const std::pair<Text, Text> names = placeholders(k);
    const Text& uName = names.first;
    const Text& vName = names.second;
    const Text& shift = parts->minusShift;
    std::vector<Text> formulas;
    auto epsilonForm = [&](std::array<int, 3> order) {
        for (int k : order) {
            Text term = k == 0   ? uName + '+' + vName
                        : k == 1 ? "ε*" + uName + "+ε^2*" + vName
                                 : "ε^2*" + uName + "+ε*" + vName;
            formulas.push_back(term + shift);
        }
    };
    switch (kind) {
    case CardanoCase::OneReal: {
        formulas.push_back(uName + '+' + vName + shift);
        Text re = "-(" + uName + '+' + vName + ")/2" + shift;
        Text im = "i*sqrt(3)/2*(" + uName + '-' + vName + ')';
        formulas.push_back(re + '+' + im);
        formulas.push_back(re + '-' + im);
        break;
    }
    case CardanoCase::Double:
        formulas.push_back("2*" + uName + shift);
        formulas.push_back('-' + uName + shift);
        formulas.push_back(formulas.back());
        break;
    case CardanoCase::ThreeReal:
        epsilonForm({1, 2, 0});
        break;
    case CardanoCase::Unknown:
        epsilonForm({0, 1, 2});
        break;
    }
    std::vector<Text> roots;
    for (const Text& formula : formulas) {
        Text written =
            replaceName(replaceName(formula, uName, group(parts->u)), vName, group(parts->v));
        std::optional<Text> root = writer.normalForm(written);
        if (!root)
            return std::nullopt;
        roots.push_back(*root);
    }
    return roots;
}

Texts exactCubicRoots(ExactWriter& writer, const std::vector<Text>& k,
                      const std::optional<std::vector<std::int64_t>>& scaled,
                      const std::vector<LongComplex>& numeric)
{
    std::optional<Rational> rational = scaled ? rationalRoot(*scaled, numeric) : std::nullopt;
    if (!rational)
        return cardanoRoots(writer, k, scaled, caseOf(numeric));
    std::optional<Text> root = writer.normalForm(std::to_string(rational->numerator) + '/' +
                                                 std::to_string(rational->denominator));
    if (!root)
        return std::nullopt;
    Texts roots;
    if (auto quotient = deflated(*scaled, *rational)) {
        roots = quadraticFormula(writer, std::to_string((*quotient)[0]),
                                 std::to_string((*quotient)[1]), std::to_string((*quotient)[2]));
    } else {
        // (x - r)(a x^2 + B x + C) with B = b + a r and C = c + B r.
        Text r = group(*root);
        std::optional<Text> b = writer.normalForm(group(k[1]) + '+' + group(k[0]) + '*' + r);
        std::optional<Text> c =
            b ? writer.normalForm(group(k[2]) + '+' + group(*b) + '*' + r) : std::nullopt;
        if (c)
            roots = quadraticFormula(writer, k[0], *b, *c);
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

std::vector<ExactRoot> exactRoots(const std::vector<Text>& texts)
{
    std::unique_ptr<FractNode> unit = unitRootValue();
    SharedTree epsilon(std::move(unit));
    std::vector<ExactRoot> roots;
    std::vector<LongComplex> values;
    bool allValued = true;
    for (const Text& text : texts) {
        ExactRoot root;
        std::unique_ptr<FractNode> tree = parsed(text);
        if (!tree)
            return {};
        root.expression = SharedTree(std::move(tree));
        if (text.find("ε") != Text::npos)
            root.values.emplace_back("ε", epsilon);
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

Text builtText(const std::vector<Text>& k)
{
    static const std::array<const char*, 4> powers = {"*x^3", "*x^2", "*x", ""};
    const std::size_t first = 4 - k.size();
    Text text;
    for (std::size_t index = 0; index < k.size(); ++index) {
        if (index > 0)
            text += '+';
        text += group(k[index]) + powers[first + index];
    }
    return text;
}

struct Evaluated {
    std::vector<LongNum> values;
    bool computable = true;
};

Evaluated evaluateCoefficients(const std::vector<Text>& texts,
                               const std::optional<std::vector<std::int64_t>>& scaled)
{
    Evaluated result;
    if (scaled) {
        for (std::int64_t value : *scaled)
            result.values.push_back(LongNum::fromInteger(value));
        return result;
    }
    for (const Text& text : texts) {
        std::optional<LongComplex> value = evaluated(text, NumberField::Real);
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
    return parsed("(-1+i*sqrt(3))/2");
}

Polynomial makePolynomial(std::vector<std::unique_ptr<FractNode>> coefficients,
                          const VariableTable* values, RootKinds kinds)
{
    Polynomial polynomial;
    std::vector<Text> texts;
    for (const auto& coefficient : coefficients) {
        std::unique_ptr<FractNode> substituted = simplifiedForScript(*coefficient, values);
        texts.push_back(printExpressionText(*substituted));
        polynomial.coefficients.push_back(SharedTree(copyTree(*coefficient)));
    }
    std::vector<Text> asGiven;
    for (const auto& coefficient : coefficients)
        asGiven.push_back(printExpressionText(*coefficient));
    std::unique_ptr<FractNode> built = parsed(builtText(asGiven));
    std::unique_ptr<FractNode> substituted = parsed(builtText(texts));
    if (!built || !substituted) {
        // Coefficients whose texts do not read back: no polynomial to solve.
        polynomial.built = SharedTree(parsed("0"));
        polynomial.simplified = polynomial.built;
        polynomial.leadingZero = true;
        return polynomial;
    }
    polynomial.built = SharedTree(std::move(built));
    polynomial.simplified = SharedTree(simplifiedForScript(*substituted));

    SolverPrecision precision;
    std::optional<std::vector<std::int64_t>> scaled = integerScaled(texts);
    Evaluated evaluated = evaluateCoefficients(texts, scaled);
    polynomial.leadingZero =
        texts[0] == "0" || (evaluated.computable && LongIsZero(evaluated.values[0]));
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
    Texts exact = polynomial.degree() == 2 ? quadraticFormula(writer, texts[0], texts[1], texts[2])
                                           : exactCubicRoots(writer, texts, scaled, numeric);
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
