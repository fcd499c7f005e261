// SPDX-License-Identifier: GPL-3.0-or-later
// Real operations with error bounds. Each bound is the operands' bounds
// carried through the operation (by its derivative, or by a Hoelder bound
// near a square-root point) plus what the operation itself truncates.
#include "algebra/bounded_arithmetic.h"

#include <algorithm>

namespace kestrane {

namespace {

// The elementary functions are within 2 units of the last word; one more
// keeps the bounds safe from rounding in the bounds themselves.
constexpr double kFunctionUnits = 3;

int firstNonzero(const LongNum& a)
{
    for (int index = 0; index < a.wordCount(); ++index)
        if (a[index] != 0)
            return index;
    return a.wordCount();
}

int lastNonzero(const LongNum& a)
{
    for (int index = a.wordCount() - 1; index >= 0; --index)
        if (a[index] != 0)
            return index;
    return -1;
}

// Integer words a value uses (0 below one).
int integerWordsUsed(const LongNum& a)
{
    return std::max(0, longIntegerWords() - firstNonzero(a));
}

LongNum magnitudeOf(LongNum a)
{
    a.setSign(kLongPlus);
    return a;
}

ErrorBound one()
{
    return ErrorBound::fromDouble(1);
}

// How many of LongMul's partial products b * a_i drop digits of b below
// the last word: each truncates by less than one unit.
int truncatedPartials(const LongNum& a, const LongNum& b)
{
    int count = a.wordCount();
    int half = longIntegerWords();
    int bLast = lastNonzero(b);
    int truncated = 0;
    for (int index = half; index < count; ++index) {
        int shift = index - half + 1;
        if (a[index] != 0 && bLast + shift >= count)
            ++truncated;
    }
    return truncated;
}

// The shifts of LongDiv's steps on a / b (both nonzero): its quotient
// words run from the first for at most H steps, and not past the
// second-last word, so the lowest one written is word H - 1 + last.
struct DivisionSteps {
    int first = 0;
    int last = 0;
};

DivisionSteps divisionSteps(const LongNum& a, const LongNum& b)
{
    int count = a.wordCount();
    int half = longIntegerWords();
    int aFirst = firstNonzero(a);
    int bFirst = firstNonzero(b);
    int first = aFirst - bFirst + (a[aFirst] < b[bFirst] ? 1 : 0);
    return {first, std::min({first + half - 1, half - 1, count - 1 - bFirst})};
}

// What LongDiv itself loses on a / b: below one unit of the lowest quotient
// word written, and for every step whose divisor reaches below the last
// word, one unit of the last word subtracted too little (over b).
ErrorBound divisionLoss(const LongNum& a, const LongNum& b, const DivisionSteps& steps)
{
    if (steps.last < steps.first)
        return ErrorBound::above(a) / ErrorBound::below(b);
    int drift = std::max(0, steps.last - std::max(steps.first, a.wordCount() - lastNonzero(b)) + 1);
    return ErrorBound::wordUnit(longIntegerWords() - 1 + steps.last) +
           ErrorBound::lastWordUnits(drift) / ErrorBound::below(b);
}

// Whether the quotient q of a / b is exact: a quotient that ends before the
// lowest word the division writes may be (1/4, 2^-28), and then q b,
// formed without truncation, gives a back. Other quotients keep their bound.
bool exactQuotient(const LongNum& a, const LongNum& b, const LongNum& q, const DivisionSteps& steps)
{
    int last = lastNonzero(q);
    if (last < 0 || last >= longIntegerWords() - 1 + steps.last || truncatedPartials(q, b) > 0)
        return false;
    LongNum product;
    LongMul(q, b, product);
    product.setSign(a.sign());
    return product == a;
}

} // namespace

BoundedArithmetic::BoundedArithmetic(int integerWordLimit) : m_integerWordLimit(integerWordLimit) {}

BoundedLong BoundedArithmetic::tooLarge()
{
    m_overflowed = true;
    return BoundedLong{};
}

BoundedLong BoundedArithmetic::checked(LongNum value, ErrorBound error)
{
    if (m_overflowed || integerWordsUsed(value) > m_integerWordLimit)
        return tooLarge();
    return BoundedLong{std::move(value), error};
}

BoundedLong BoundedArithmetic::number(std::string_view digits)
{
    std::size_t point = std::min(digits.find('.'), digits.size());
    std::string_view whole = digits.substr(0, point);
    std::size_t firstDigit = std::min(whole.find_first_not_of('0'), whole.size());
    if (static_cast<int>(whole.size() - firstDigit) > 3 * m_integerWordLimit)
        return tooLarge();
    std::string_view fraction = point < digits.size() ? digits.substr(point + 1) : "";
    std::size_t kept = static_cast<std::size_t>(3 * (longWords() - longIntegerWords()));
    bool dropped =
        fraction.size() > kept && fraction.find_first_not_of('0', kept) != std::string_view::npos;
    return checked(LongFromText(digits), dropped ? units(1) : ErrorBound());
}

BoundedLong BoundedArithmetic::integer(std::int64_t value)
{
    return checked(LongNum::fromInteger(value), ErrorBound());
}

BoundedLong BoundedArithmetic::pi()
{
    return BoundedLong{LongPi(), units(2)};
}

BoundedLong BoundedArithmetic::halfPi()
{
    LongNum half;
    LongHalve(LongPi(), half);
    return BoundedLong{half, units(2)};
}

BoundedLong BoundedArithmetic::add(const BoundedLong& a, const BoundedLong& b)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongAdd(a.value, b.value, out);
    return checked(std::move(out), a.error + b.error);
}

BoundedLong BoundedArithmetic::subtract(const BoundedLong& a, const BoundedLong& b)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongSub(a.value, b.value, out);
    return checked(std::move(out), a.error + b.error);
}

BoundedLong BoundedArithmetic::multiply(const BoundedLong& a, const BoundedLong& b)
{
    if (m_overflowed)
        return {};
    // Past H integer words together the product does not fit the number,
    // and it is at least 1000^(H-1), past the limit in any case.
    if (integerWordsUsed(a.value) + integerWordsUsed(b.value) > longIntegerWords())
        return tooLarge();
    LongNum out;
    LongMul(a.value, b.value, out);
    ErrorBound error = ErrorBound::above(a.value) * b.error + ErrorBound::above(b.value) * a.error +
                       a.error * b.error + units(truncatedPartials(a.value, b.value));
    return checked(std::move(out), error);
}

BoundedLong BoundedArithmetic::divide(const BoundedLong& a, const BoundedLong& b)
{
    if (m_overflowed)
        return {};
    LongNum out;
    if (LongIsZero(b.value)) {
        LongDiv(a.value, b.value, out); // shows the division-by-zero message
        return {};
    }
    ErrorBound divisor = differenceOrZero(ErrorBound::below(b.value), b.error);
    if (LongIsZero(a.value)) {
        out.setSign(a.value.sign() == b.value.sign() ? kLongPlus : kLongMinus);
        return checked(std::move(out), a.error / divisor);
    }
    DivisionSteps steps = divisionSteps(a.value, b.value);
    // Quotient words above word 0 would be lost.
    if (longIntegerWords() - 1 + steps.first < 0)
        return tooLarge();
    LongDiv(a.value, b.value, out);
    ErrorBound loss = exactQuotient(a.value, b.value, out, steps)
                          ? ErrorBound()
                          : divisionLoss(a.value, b.value, steps);
    // |a/b - a~/b~| <= (Ea + |a~/b~| Eb) / |b|.
    ErrorBound error = (a.error + (ErrorBound::above(out) + loss) * b.error) / divisor + loss;
    return checked(std::move(out), error);
}

BoundedLong BoundedArithmetic::divide(const BoundedLong& a, int divisor)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongDivSmall(a.value, divisor, out);
    return checked(std::move(out), a.error.scaled(1.0 / divisor) + units(1));
}

BoundedLong BoundedArithmetic::exp(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongExp(x.value, out);
    // |e^x - e^x~| <= e^x~ (e^E - 1) <= 2 E e^x~ for E <= 1.
    ErrorBound error = ErrorBound::unbounded();
    if (x.error <= one())
        error = (ErrorBound::above(out) + units(kFunctionUnits)) * x.error.scaled(2);
    return checked(std::move(out), error + units(kFunctionUnits));
}

bool BoundedArithmetic::ln(const BoundedLong& x, BoundedLong& result)
{
    if (m_overflowed)
        return false;
    LongNum out;
    if (!LongLn(x.value, out))
        return false;
    // |ln x - ln x~| <= E / (x~ - E).
    ErrorBound lowest = differenceOrZero(ErrorBound::below(x.value), x.error);
    result = checked(std::move(out), x.error / lowest + units(kFunctionUnits));
    return true;
}

BoundedLong BoundedArithmetic::sin(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongSin(x.value, out);
    return checked(std::move(out), x.error + units(kFunctionUnits));
}

BoundedLong BoundedArithmetic::cos(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongCos(x.value, out);
    return checked(std::move(out), x.error + units(kFunctionUnits));
}

namespace {

// The derivative of tan and cot is 1 + t^2 for the value t; it holds within
// a factor 2 over the error interval while that stays far from the pole.
ErrorBound tangentError(const LongNum& value, ErrorBound error)
{
    ErrorBound t = ErrorBound::above(value);
    if (!(error * (one() + t) <= ErrorBound::fromDouble(1e-3)))
        return ErrorBound::unbounded();
    return (one() + t * t) * error.scaled(2);
}

} // namespace

BoundedLong BoundedArithmetic::tan(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongTan(x.value, out);
    ErrorBound error = tangentError(out, x.error);
    return checked(std::move(out), error + units(kFunctionUnits));
}

BoundedLong BoundedArithmetic::cot(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongCot(x.value, out);
    ErrorBound error = tangentError(out, x.error);
    return checked(std::move(out), error + units(kFunctionUnits));
}

BoundedLong BoundedArithmetic::arctan(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongArctan(x.value, out);
    return checked(std::move(out), x.error + units(kFunctionUnits));
}

BoundedLong BoundedArithmetic::arccot(const BoundedLong& x)
{
    return subtract(halfPi(), arctan(x));
}

namespace {

// arcsin moves by at most E / sqrt(1 - |x| - E) (its derivative at the
// interval's end nearest to 1), and never by more than (pi/sqrt(2)) sqrt(E).
ErrorBound arcsineError(const LongNum& x, ErrorBound error)
{
    if (error.isZero())
        return error;
    LongNum distance;
    LongSub(LongNum::fromInteger(1), magnitudeOf(x), distance);
    ErrorBound hoelder = error.power(0.5).scaled(2.23);
    if (distance.isNegative())
        return hoelder;
    ErrorBound gap = differenceOrZero(ErrorBound::below(distance), error);
    return min(hoelder, error / gap.power(0.5));
}

} // namespace

BoundedLong BoundedArithmetic::arcsin(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongArcsin(x.value, out);
    return checked(std::move(out), arcsineError(x.value, x.error) + units(kFunctionUnits));
}

BoundedLong BoundedArithmetic::arccos(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongArccos(x.value, out);
    return checked(std::move(out), arcsineError(x.value, x.error) + units(kFunctionUnits + 1));
}

BoundedLong BoundedArithmetic::sqrt(const BoundedLong& x)
{
    if (m_overflowed)
        return {};
    LongNum out;
    LongSqrt(x.value, out);
    // |sqrt x - sqrt x~| <= E / sqrt(x~), and <= sqrt(E) near zero.
    ErrorBound error = min(x.error.power(0.5), x.error / ErrorBound::below(x.value).power(0.5));
    return checked(std::move(out), error + units(1));
}

BoundedLong BoundedArithmetic::root(const BoundedLong& x, int degree)
{
    if (degree == 2)
        return sqrt(x);
    if (m_overflowed)
        return {};
    LongNum out;
    LongRoot(x.value, degree, out);
    // The derivative at the interval's end nearest zero, else the Hoelder
    // bound 2 E^(1/n), which holds across zero for odd roots too.
    ErrorBound error = x.error.power(1.0 / degree).scaled(2);
    ErrorBound lowest = differenceOrZero(ErrorBound::below(x.value), x.error);
    if (!lowest.isZero())
        error = min(error, x.error / lowest.power((degree - 1.0) / degree).scaled(degree));
    return checked(std::move(out), error + units(1));
}

} // namespace kestrane
