// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/cubic_function.h"

#include "fractions/expression_text.h"
#include "fractions/long_eval.h"
#include "fractions/mark_matching.h"
#include "fractions/variable_table.h"
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

// The simplified text of an expression in the linear notation; the text
// itself when the simplifier leaves it alone or it does not parse.
Text simplified(const Text& text)
{
    std::unique_ptr<FractNode> tree = parsed(text);
    if (!tree)
        return text;
    return printExpressionText(*simplifiedForScript(*tree));
}

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

// A rational root p/q of the integer cubic: q divides the leading
// coefficient and p the constant term. Every rational root is real, so
// the numeric real roots tell which p belongs to each q; the candidate is
// then checked exactly.
std::optional<Text> rationalRoot(const std::vector<std::int64_t>& k,
                                 const std::vector<LongComplex>& roots)
{
    if (k[3] == 0)
        return Text("0");
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
            if (LongIsZero(value))
                return simplified(std::to_string(p) + '/' + std::to_string(q));
        }
    }
    return std::nullopt;
}

std::vector<Text> quadraticFormula(const Text& a, const Text& b, const Text& c)
{
    Text discriminant = simplified(group(b) + "^2-4*" + group(a) + '*' + group(c));
    Text twoA = "(2*" + group(a) + ')';
    return {simplified("(-" + group(b) + "+sqrt(" + discriminant + "))/" + twoA),
            simplified("(-" + group(b) + "-sqrt(" + discriminant + "))/" + twoA)};
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

// Cube roots stand in the root formulas as names while a formula is
// simplified (the simplifier does not take cube roots of sums), and are
// written in afterwards: names of four characters that no coefficient uses.
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

// A cube root for a placeholder: the root and whether it enters negated.
struct CubeRoot {
    Text root;
    bool negated = false;
};

// A real cube root that keeps the sign: the principal root of a negative
// number is complex, so its radicand is turned round and the root negated.
CubeRoot realCubeRoot(const Text& radicand)
{
    Text simple = simplified(radicand);
    if (simple == "0")
        return {"0", false};
    std::optional<LongComplex> value = evaluated(simple, NumberField::Real);
    if (value && value->re.isNegative() && !LongIsZero(value->re))
        return {"root(3," + simplified("-" + group(simple)) + ')', true};
    return {"root(3," + simple + ')', false};
}

// The principal cube root, for complex and unknown radicands.
CubeRoot principalCubeRoot(const Text& radicand)
{
    Text simple = simplified(radicand);
    return {simple == "0" ? simple : "root(3," + simple + ')', false};
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

// The roots by Cardano's formula over the intermediates s, p, q, D, u, v,
// each simplified on its own and written into the next as text.
std::vector<Text> cardanoRoots(const std::vector<Text>& k, CardanoCase kind)
{
    auto define = [](const Text& text) { return group(simplified(text)); };
    Text a = group(k[0]);
    Text s = define(group(k[1]) + "/(3*" + a + ')');
    Text p = define(group(k[2]) + '/' + a + "-3*" + s + "^2");
    Text q =
        define("2*" + s + "^3-" + s + '*' + group(k[2]) + '/' + a + '+' + group(k[3]) + '/' + a);
    Text delta = define('(' + q + "/2)^2+(" + p + "/3)^3");
    // Minus the shift, left out when it is zero.
    Text shift = s == "0" ? Text() : simplified('-' + s);
    if (!shift.empty() && shift[0] != '-')
        shift = '+' + shift;

    auto [uName, vName] = placeholders(k);
    CubeRoot u;
    CubeRoot v;
    // u + v and u - v with the signs of negated roots folded in.
    auto sum = [&](bool difference) {
        bool vNegative = v.negated != difference;
        return (u.negated ? "-" : "") + uName + (vNegative ? "-" : "+") + vName;
    };
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
        u = realCubeRoot("-" + q + "/2+sqrt(" + delta + ')');
        v = realCubeRoot("-" + q + "/2-sqrt(" + delta + ')');
        formulas.push_back(sum(false) + shift);
        Text re = "-(" + sum(false) + ")/2" + shift;
        Text im = "i*sqrt(3)/2*(" + sum(true) + ')';
        formulas.push_back(re + '+' + im);
        formulas.push_back(re + '-' + im);
        break;
    }
    case CardanoCase::Double: {
        u = realCubeRoot("-" + q + "/2");
        Text uTerm = (u.negated ? "-" : "") + uName;
        formulas.push_back("2*" + (u.negated ? '(' + uTerm + ')' : uTerm) + shift);
        formulas.push_back((u.negated ? uName : '-' + uName) + shift);
        formulas.push_back(formulas.back());
        break;
    }
    case CardanoCase::ThreeReal:
        u = principalCubeRoot("-" + q + "/2+i*sqrt(-" + delta + ')');
        v = principalCubeRoot("-" + q + "/2-i*sqrt(-" + delta + ')');
        epsilonForm({1, 2, 0});
        break;
    case CardanoCase::Unknown:
        u = principalCubeRoot("-" + q + "/2+sqrt(" + delta + ')');
        v = principalCubeRoot("-" + q + "/2-sqrt(" + delta + ')');
        epsilonForm({0, 1, 2});
        break;
    }
    auto writtenIn = [&](Text text) {
        text = replaceName(text, uName, group(u.root));
        return replaceName(text, vName, group(v.root));
    };
    // The simplified formula when the simplifier makes it shorter; its
    // normal form multiplies out products such as (u - v)*sqrt(3).
    std::vector<Text> roots;
    for (Text formula : formulas) {
        // A zero cube root leaves its term out.
        for (const auto& [name, root] : {std::pair{uName, u.root}, std::pair{vName, v.root}}) {
            if (root == "0")
                formula = replaceName(formula, name, "0");
        }
        Text plain = simplified(formula);
        roots.push_back(writtenIn(plain.size() <= formula.size() ? plain : formula));
    }
    return roots;
}

std::vector<Text> exactCubicRoots(const std::vector<Text>& k,
                                  const std::optional<std::vector<std::int64_t>>& scaled,
                                  const std::vector<LongComplex>& numeric)
{
    std::optional<Text> rational = scaled ? rationalRoot(*scaled, numeric) : std::nullopt;
    if (!rational)
        return cardanoRoots(k, caseOf(numeric));
    // (x - r)(a x^2 + B x + C) with B = b + a r and C = c + B r.
    Text r = group(*rational);
    Text b = simplified(group(k[1]) + '+' + group(k[0]) + '*' + r);
    Text c = simplified(group(k[2]) + '+' + group(b) + '*' + r);
    std::vector<Text> roots = quadraticFormula(k[0], b, c);
    roots.insert(roots.begin(), *rational);
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
    std::vector<Text> exact = polynomial.degree() == 2
                                  ? quadraticFormula(texts[0], texts[1], texts[2])
                                  : exactCubicRoots(texts, scaled, numeric);
    polynomial.exact = exactRoots(exact);
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
