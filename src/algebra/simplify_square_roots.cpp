// SPDX-License-Identifier: GPL-3.0-or-later
// Sums of rational multiples of square roots of whole numbers, on the stack:
// the common case of the window without a single allocation per operation.
#include "algebra/simplify_square_roots.h"

#include "algebra/expression_form.h"
#include "numbers/number_theory.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace kestrane {

namespace {

// Numbers past this go to the general simplifier, which counts with two-word
// integers and says when they overflow.
constexpr std::int64_t kLimit = 1'000'000'000;
constexpr int kMaxTerms = 8;
constexpr int kMaxPower = 64;

bool small(std::int64_t value)
{
    return value <= kLimit && value >= -kLimit;
}

// coefficient * sqrt(radicand), the radicand free of squares (1 for the
// rational term); the coefficient is top/bottom reduced, bottom positive.
struct Term {
    std::int64_t top = 0;
    std::int64_t bottom = 1;
    std::int64_t radicand = 1;
};

struct Value {
    std::array<Term, kMaxTerms> terms{};
    int count = 0;
    bool fine = true;

    static Value failed()
    {
        Value value;
        value.fine = false;
        return value;
    }
};

bool reduce(Term& term)
{
    if (term.bottom == 0)
        return false;
    if (term.bottom < 0) {
        term.top = -term.top;
        term.bottom = -term.bottom;
    }
    const std::int64_t divisor = commonDivisor(std::llabs(term.top), term.bottom);
    if (divisor > 1) {
        term.top /= divisor;
        term.bottom /= divisor;
    }
    return small(term.top) && small(term.bottom);
}

// Adds a term, merging it with the like one.
bool add(Value& value, Term term)
{
    for (int i = 0; i < value.count; ++i) {
        Term& like = value.terms[static_cast<std::size_t>(i)];
        if (like.radicand != term.radicand)
            continue;
        like.top = like.top * term.bottom + term.top * like.bottom;
        like.bottom *= term.bottom;
        if (!reduce(like))
            return false;
        if (like.top == 0) {
            value.terms[static_cast<std::size_t>(i)] =
                value.terms[static_cast<std::size_t>(--value.count)];
            value.terms[static_cast<std::size_t>(value.count)] = Term{};
        }
        return true;
    }
    if (term.top == 0)
        return true;
    if (value.count == kMaxTerms)
        return false;
    value.terms[static_cast<std::size_t>(value.count++)] = term;
    return true;
}

Value sum(const Value& a, const Value& b, std::int64_t sign)
{
    if (!a.fine || !b.fine)
        return Value::failed();
    Value result = a;
    for (int i = 0; i < b.count; ++i) {
        Term term = b.terms[static_cast<std::size_t>(i)];
        term.top *= sign;
        if (!add(result, term))
            return Value::failed();
    }
    return result;
}

Value product(const Value& a, const Value& b)
{
    if (!a.fine || !b.fine)
        return Value::failed();
    Value result;
    for (int i = 0; i < a.count; ++i) {
        for (int j = 0; j < b.count; ++j) {
            const Term& x = a.terms[static_cast<std::size_t>(i)];
            const Term& y = b.terms[static_cast<std::size_t>(j)];
            // sqrt(r) * sqrt(s) = g * sqrt(r/g * s/g) for g = gcd(r, s).
            const std::int64_t shared = commonDivisor(x.radicand, y.radicand);
            Term term{0, x.bottom * y.bottom, (x.radicand / shared) * (y.radicand / shared)};
            if (__builtin_mul_overflow(x.top * y.top, shared, &term.top) || !small(term.radicand) ||
                !reduce(term) || !add(result, term))
                return Value::failed();
        }
    }
    return result;
}

Value rational(std::int64_t top, std::int64_t bottom)
{
    Value value;
    Term term{top, bottom, 1};
    if (!reduce(term) || !add(value, term))
        return Value::failed();
    return value;
}

std::int64_t smallestPrimeFactor(std::int64_t n)
{
    for (std::int64_t p = 2; p * p <= n; ++p) {
        if (n % p == 0)
            return p;
    }
    return n;
}

// a / b: b is freed of its square roots one prime at a time, multiplying
// both by b's conjugate with respect to that prime.
Value quotient(Value a, Value b)
{
    if (!a.fine || !b.fine || b.count == 0)
        return Value::failed();
    for (int pass = 0; pass < 2 * kMaxTerms; ++pass) {
        std::int64_t prime = 0;
        for (int i = 0; i < b.count && prime == 0; ++i) {
            const std::int64_t radicand = b.terms[static_cast<std::size_t>(i)].radicand;
            if (radicand > 1)
                prime = smallestPrimeFactor(radicand);
        }
        if (prime == 0)
            break;
        Value conjugate = b;
        for (int i = 0; i < conjugate.count; ++i) {
            Term& term = conjugate.terms[static_cast<std::size_t>(i)];
            if (term.radicand % prime == 0)
                term.top = -term.top;
        }
        a = product(a, conjugate);
        b = product(b, conjugate);
        if (!a.fine || !b.fine)
            return Value::failed();
    }
    if (b.count != 1 || b.terms[0].radicand != 1)
        return Value::failed();
    const Term below = b.terms[0];
    return product(a, rational(below.bottom, below.top));
}

// sqrt(top/bottom) = sqrt(top*bottom)/bottom, the square part of top*bottom
// taken out.
Value squareRoot(const Value& value)
{
    if (!value.fine)
        return value;
    if (value.count == 0)
        return value;
    const Term& term = value.terms[0];
    if (value.count != 1 || term.radicand != 1 || term.top < 0)
        return Value::failed();
    std::int64_t rest = term.top * term.bottom;
    // Trial division stays short.
    if (rest > kLimit)
        return Value::failed();
    std::int64_t outside = 1;
    std::int64_t radicand = 1;
    for (std::int64_t p = 2; p * p <= rest; ++p) {
        while (rest % (p * p) == 0) {
            rest /= p * p;
            outside *= p;
        }
        if (rest % p == 0) {
            rest /= p;
            radicand *= p;
        }
    }
    radicand *= rest;
    Value result;
    Term root{outside, term.bottom, radicand};
    if (!small(radicand) || !reduce(root) || !add(result, root))
        return Value::failed();
    return result;
}

Value power(const Value& base, int exponent)
{
    if (!base.fine)
        return base;
    if (exponent < 0)
        return quotient(rational(1, 1), power(base, -exponent));
    Value result = rational(1, 1);
    Value square = base;
    for (int n = exponent; n > 0 && result.fine; n /= 2) {
        if (n % 2 == 1)
            result = product(result, square);
        if (n > 1)
            square = product(square, square);
    }
    return result;
}

// An expression form, restricted to what the terms above hold.
class Reader {
public:
    explicit Reader(const ExpressionForm& form) : m_form(form) {}

    Value read(int index)
    {
        const FormNode& node = m_form.at(index);
        switch (node.kind) {
        case FormKind::Add:
        case FormKind::Subtract:
        case FormKind::Multiply:
        case FormKind::Divide:
            return binary(node);
        case FormKind::Negate:
            return sum(Value{}, read(node.first), -1);
        case FormKind::Power:
            return powerOf(node);
        case FormKind::Group:
            return nested(node.first, false);
        case FormKind::Root:
            if (node.code != 2)
                return Value::failed();
            return nested(node.first, true);
        case FormKind::Number:
            return number(node.text);
        default:
            return Value::failed();
        }
    }

private:
    Value binary(const FormNode& node)
    {
        Value left = read(node.first);
        if (!left.fine)
            return left;
        switch (node.kind) {
        case FormKind::Add:
            return sum(left, read(node.second), 1);
        case FormKind::Subtract:
            return sum(left, read(node.second), -1);
        case FormKind::Multiply:
            return product(left, read(node.second));
        default:
            return quotient(left, read(node.second));
        }
    }

    Value nested(int index, bool squareRootOf)
    {
        if (++m_depth > 200)
            return Value::failed();
        Value value = read(index);
        --m_depth;
        return squareRootOf ? squareRoot(value) : value;
    }

    // Only a whole exponent of up to three digits, or its negative.
    Value powerOf(const FormNode& node)
    {
        Value base = read(node.first);
        if (!base.fine)
            return base;
        const FormNode* exponent = &m_form.at(node.second);
        const bool negative = exponent->kind == FormKind::Negate;
        if (negative)
            exponent = &m_form.at(exponent->first);
        if (exponent->kind != FormKind::Number || exponent->text.empty() ||
            exponent->text.size() > 3 ||
            exponent->text.find_first_not_of("0123456789") != std::string::npos)
            return Value::failed();
        const int value = std::stoi(exponent->text);
        if (value > kMaxPower)
            return Value::failed();
        return power(base, negative ? -value : value);
    }

    // Digits with at most one '.'.
    static Value number(const std::string& text)
    {
        std::int64_t top = 0;
        std::int64_t bottom = 1;
        bool point = false;
        for (const char c : text) {
            if (c == '.') {
                if (point)
                    return Value::failed();
                point = true;
                continue;
            }
            top = top * 10 + (c - '0');
            if (point)
                bottom *= 10;
            if (!small(top) || !small(bottom))
                return Value::failed();
        }
        if (text == ".")
            return Value::failed();
        return rational(top, bottom);
    }

    const ExpressionForm& m_form;
    int m_depth = 0;
};

ExactTerm exactTerm(const Term& term, std::int64_t multiple)
{
    ExactTerm exact{ExactRational(term.top * (multiple / term.bottom)), {}};
    std::int64_t rest = term.radicand;
    for (std::int64_t p = 2; p * p <= rest; ++p) {
        if (rest % p == 0) {
            exact.factors.push_back(ExactFactor::ofPrime(p, SmallRational(1, 2)));
            rest /= p;
        }
    }
    if (rest > 1)
        exact.factors.push_back(ExactFactor::ofPrime(rest, SmallRational(1, 2)));
    return exact;
}

// root(d,t/b) = root(d,t*b^(d-1))/b as one term: the prime exponents of the
// radicand over d, whole parts taken out when the term is normalised.
std::optional<ExactFraction> rootOfNumber(const ExpressionForm& form, const FormNode& root)
{
    const int degree = root.code;
    const Value value = Reader(form).read(root.first);
    if (!value.fine || value.count != 1 || value.terms[0].radicand != 1 || value.terms[0].top <= 0)
        return std::nullopt;
    const Term& number = value.terms[0];
    std::int64_t radicand = number.top;
    for (int k = 1; k < degree; ++k) {
        if (__builtin_mul_overflow(radicand, number.bottom, &radicand) || !small(radicand))
            return std::nullopt;
    }
    ExactTerm term{ExactRational(LongInt::fromInt(1), LongInt::fromInt(number.bottom)), {}};
    std::int64_t rest = radicand;
    for (std::int64_t p = 2; p * p <= rest; ++p) {
        int count = 0;
        while (rest % p == 0) {
            rest /= p;
            ++count;
        }
        if (count > 0)
            term.factors.push_back(ExactFactor::ofPrime(p, SmallRational(count, degree)));
    }
    if (rest > 1)
        term.factors.push_back(ExactFactor::ofPrime(rest, SmallRational(1, degree)));
    return ExactFraction(ExactSum::collect({std::move(term)})).normalised();
}

// The node an expression's text starts with: the first operand, base or
// argument all the way down, up to a sign or a bracket of its own.
const FormNode& firstRead(const ExpressionForm& form, int index)
{
    const FormNode* node = &form.at(index);
    while (node->second >= 0)
        node = &form.at(node->first);
    return *node;
}

} // namespace

std::optional<ExactFraction> squareRootNormalForm(const ExpressionForm& form)
{
    if (form.tooDeep() || form.isDefinition())
        return std::nullopt;
    // Any other root of a number only alone, as the whole expression.
    const FormNode& top = form.at(form.root());
    const FormNode& first = firstRead(form, form.root());
    if (first.kind == FormKind::Root && first.code != 2)
        return &first == &top ? rootOfNumber(form, top) : std::nullopt;
    const Value value = Reader(form).read(form.root());
    if (!value.fine)
        return std::nullopt;
    if (value.count == 0)
        return ExactFraction();
    // Whole coefficients over the least common multiple of their
    // denominators: as coefficients are reduced, nothing more cancels.
    std::int64_t multiple = 1;
    for (int i = 0; i < value.count; ++i) {
        const std::int64_t bottom = value.terms[static_cast<std::size_t>(i)].bottom;
        multiple = multiple / commonDivisor(multiple, bottom) * bottom;
        if (!small(multiple))
            return std::nullopt;
    }
    std::vector<ExactTerm> terms;
    terms.reserve(static_cast<std::size_t>(value.count));
    for (int i = 0; i < value.count; ++i) {
        const Term& term = value.terms[static_cast<std::size_t>(i)];
        if (!small(term.top * (multiple / term.bottom)))
            return std::nullopt;
        terms.push_back(exactTerm(term, multiple));
    }
    ExactSum numerator = ExactSum::collect(std::move(terms));
    if (multiple == 1)
        return ExactFraction(std::move(numerator));
    return ExactFraction(std::move(numerator), ExactSum(ExactRational(multiple)));
}

} // namespace kestrane
