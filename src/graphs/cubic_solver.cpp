// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/cubic_solver.h"

#include "numbers/long_values.h"

#include <algorithm>
#include <cassert>

namespace kestrane {

namespace {

constexpr int kIntegerRootWords = 25;
// Below 10^-60 of the equation's scale a discriminant counts as zero.
constexpr int kZeroBandWord = 19;

LongNum integer(std::int64_t value)
{
    return LongNum::fromInteger(value);
}

LongNum halfOf(const LongNum& value)
{
    LongNum out;
    LongDivSmall(value, 2, out);
    return out;
}

LongNum thirdOf(const LongNum& value)
{
    LongNum out;
    LongDivSmall(value, 3, out);
    return out;
}

LongNum cubeRoot(const LongNum& value)
{
    LongNum out;
    LongRoot(value, 3, out);
    return out;
}

LongNum magnitude(LongNum value)
{
    value.setSign(kLongPlus);
    return value;
}

int signOf(const LongNum& value)
{
    if (LongIsZero(value))
        return 0;
    return value.isNegative() ? -1 : 1;
}

bool greater(const LongNum& a, const LongNum& b)
{
    return signOf(minus(a, b)) > 0;
}

// 18abcd - 4b^3 d + b^2 c^2 - 4ac^3 - 27a^2 d^2: exact for integers.
LongNum cubicDiscriminant(const std::vector<LongNum>& k)
{
    const LongNum &a = k[0], &b = k[1], &c = k[2], &d = k[3];
    LongNum bb = times(b, b);
    LongNum cc = times(c, c);
    LongNum sum = times(integer(18), times(times(a, b), times(c, d)));
    sum = minus(sum, times(integer(4), times(times(bb, b), d)));
    sum = plus(sum, times(bb, cc));
    sum = minus(sum, times(integer(4), times(a, times(cc, c))));
    return minus(sum, times(integer(27), times(times(a, a), times(d, d))));
}

// The sign of Cardano's (q/2)^2 + (p/3)^3, which is minus the polynomial
// discriminant over a positive number.
int cardanoSign(const SolverInput& input, const LongNum& delta, const LongNum& p, const LongNum& q)
{
    if (input.integerScaled)
        return -signOf(cubicDiscriminant(*input.integerScaled));
    LongNum band;
    band[longIntegerWords() + kZeroBandWord] = 1;
    LongNum scale = integer(1);
    LongNum halfQSquared = times(halfOf(q), halfOf(q));
    LongNum pCubed = magnitude(times(times(p, p), divided(p, integer(27))));
    for (const LongNum* candidate : {&halfQSquared, &pCubed}) {
        if (greater(*candidate, scale))
            scale = *candidate;
    }
    if (!greater(magnitude(delta), times(band, scale)))
        return 0;
    return signOf(delta);
}

// b^2 - 3ac and 2b^3 - 9abc + 27a^2 d of the integer-scaled cubic: zero
// exactly when p and q of the depressed cubic are.
struct DepressedZeros {
    bool p = false;
    bool q = false;
};

DepressedZeros depressedZeros(const std::vector<LongNum>& k)
{
    const LongNum &a = k[0], &b = k[1], &c = k[2], &d = k[3];
    LongNum p = minus(times(b, b), times(integer(3), times(a, c)));
    LongNum q = plus(
        minus(times(integer(2), times(b, times(b, b))), times(integer(9), times(a, times(b, c)))),
        times(integer(27), times(times(a, a), d)));
    return {LongIsZero(p), LongIsZero(p) && LongIsZero(q)};
}

// Whether a value is zero against a scale: below 10^-60 of it.
bool negligible(const LongNum& value, const LongNum& scale)
{
    LongNum band;
    band[longIntegerWords() + kZeroBandWord] = 1;
    LongNum size = magnitude(scale);
    if (greater(integer(1), size))
        size = integer(1);
    return !greater(magnitude(value), times(band, size));
}

std::vector<LongComplex> solveCubic(const SolverInput& input)
{
    const std::vector<LongNum>& k = input.coefficients;
    // 3. Monic and shifted by s = B/3: y^3 + p y + q = 0 with x = y - s.
    LongNum bOverA = divided(k[1], k[0]);
    LongNum cOverA = divided(k[2], k[0]);
    LongNum dOverA = divided(k[3], k[0]);
    LongNum s = thirdOf(bOverA);
    LongNum sSquared = times(s, s);
    LongNum p = minus(cOverA, times(integer(3), sSquared));
    LongNum q = plus(minus(times(integer(2), times(sSquared, s)), times(s, cOverA)), dOverA);
    // p and q of rational coefficients are zero exactly when they should be:
    // the rounding left in them would come back as a cube root, 25 digits up.
    if (input.integerScaled) {
        DepressedZeros zeros = depressedZeros(*input.integerScaled);
        if (zeros.p)
            p = LongNum();
        if (zeros.q)
            q = LongNum();
    }
    LongNum halfQ = halfOf(q);
    LongNum thirdP = thirdOf(p);
    LongNum delta = plus(times(halfQ, halfQ), times(times(thirdP, thirdP), thirdP));
    LongNum sqrt3 = squareRoot(integer(3));

    std::vector<LongComplex> roots;
    int sign = cardanoSign(input, delta, p, q);
    if (sign == 0) {
        // A double root u = v = cbrt(-q/2) = 3q/(2p), or a triple one with
        // p = q = 0; the quotient keeps every digit the cube root would lose.
        LongNum u;
        bool triple = LongIsZero(p) || (!input.integerScaled && negligible(p, sSquared));
        if (!triple)
            u = divided(times(integer(3), q), times(integer(2), p));
        roots.push_back({minus(times(integer(2), u), s), LongNum()});
        LongNum twice = minus(negated(u), s);
        roots.push_back({twice, LongNum()});
        roots.push_back({twice, LongNum()});
    } else if (sign > 0) {
        // 4. One real root and a pair: real cube roots that keep the sign.
        //    u takes the larger of -q/2 +- sqrt(D), so that no digits cancel,
        //    and v = -p/(3u) (uv = -p/3); p = 0 gives v = 0.
        LongNum root = squareRoot(magnitude(delta));
        LongNum larger =
            halfQ.isNegative() ? plus(negated(halfQ), root) : minus(negated(halfQ), root);
        LongNum u = cubeRoot(larger);
        LongNum v = LongIsZero(u) ? LongNum() : negated(divided(p, times(integer(3), u)));
        roots.push_back({minus(plus(u, v), s), LongNum()});
        LongNum re = minus(negated(halfOf(plus(u, v))), s);
        LongNum im = times(halfOf(sqrt3), minus(u, v));
        roots.push_back({re, im});
        roots.push_back({re, negated(im)});
    } else {
        // 5. Three real roots from the complex cube root u = r + i t.
        LongComplex radicand{negated(halfQ), squareRoot(magnitude(delta))};
        LongComplex u;
        ComplexRoot(radicand, 3, u);
        roots.push_back({minus(times(integer(2), u.re), s), LongNum()});
        LongNum base = minus(negated(u.re), s);
        LongNum offset = times(sqrt3, u.im);
        roots.push_back({plus(base, offset), LongNum()});
        roots.push_back({minus(base, offset), LongNum()});
    }
    return roots;
}

// The cancellation-free quadratic formula: t = -(b + sign(b) sqrt(D)) / 2
// gives x = t / a and x = c / t.
std::vector<LongComplex> solveQuadratic(const SolverInput& input)
{
    const std::vector<LongNum>& k = input.coefficients;
    auto discriminantOf = [](const std::vector<LongNum>& n) {
        return minus(times(n[1], n[1]), times(integer(4), times(n[0], n[2])));
    };
    LongNum discriminant = discriminantOf(k);
    int sign =
        input.integerScaled ? signOf(discriminantOf(*input.integerScaled)) : signOf(discriminant);
    std::vector<LongComplex> roots;
    if (sign < 0) {
        LongNum twoA = times(integer(2), k[0]);
        LongNum re = negated(divided(k[1], twoA));
        LongNum im = magnitude(divided(squareRoot(magnitude(discriminant)), twoA));
        roots.push_back({re, im});
        roots.push_back({re, negated(im)});
        return roots;
    }
    LongNum root = sign == 0 ? LongNum() : squareRoot(magnitude(discriminant));
    if (k[1].isNegative())
        root = negated(root);
    LongNum t = negated(halfOf(plus(k[1], root)));
    if (LongIsZero(t)) {
        roots.assign(2, LongComplex{LongNum(), LongNum()});
        return roots;
    }
    roots.push_back({divided(t, k[0]), LongNum()});
    roots.push_back({divided(k[2], t), LongNum()});
    return roots;
}

LongComplex cutRoot(const LongComplex& root)
{
    return {cutToRootWords(root.re), cutToRootWords(root.im)};
}

std::string partDigits(const LongNum& value)
{
    std::string digits = LongToText(value, kRootWords - kIntegerRootWords);
    std::string whole = digits.substr(0, 3 * kIntegerRootWords);
    std::string fraction = digits.substr(3 * kIntegerRootWords);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction.empty() ? whole : whole + '.' + fraction;
}

bool isZeroPart(const LongNum& value)
{
    for (int index = 0; index < kRootWords; ++index) {
        if (value[index] != 0)
            return false;
    }
    return true;
}

} // namespace

SolverPrecision::SolverPrecision() : m_previous(longWords()), m_host(longNumHost())
{
    setLongNumHost(nullptr);
    setLongWords(kSolverWords);
    LongSetupConstants();
}

SolverPrecision::~SolverPrecision()
{
    setLongWords(m_previous);
    LongSetupConstants();
    setLongNumHost(m_host);
}

std::vector<LongComplex> solvePolynomial(const SolverInput& input)
{
    assert(longWords() == kSolverWords);
    const std::vector<LongNum>& k = input.coefficients;
    if ((k.size() != 3 && k.size() != 4) || LongIsZero(k[0]))
        return {};
    std::vector<LongComplex> roots = k.size() == 4 ? solveCubic(input) : solveQuadratic(input);
    for (LongComplex& root : roots)
        root = cutRoot(root);
    sortRoots(roots);
    return roots;
}

LongNum cutToRootWords(const LongNum& value)
{
    LongNum cut = value;
    if (cut.wordCount() <= kRootWords)
        return cut;
    if (cut[kRootWords] > 500) {
        LongNum half;
        half[kRootWords] = 500;
        half.setSign(cut.sign());
        LongAdd(cut, half, cut);
    }
    for (int index = kRootWords; index < cut.wordCount(); ++index)
        cut[index] = 0;
    return cut;
}

std::string rootDecimal(const LongNum& value)
{
    std::string digits = partDigits(value);
    return value.isNegative() && !isZeroPart(value) ? '-' + digits : digits;
}

std::string rootPartText(const LongNum& value)
{
    std::string digits = partDigits(value);
    return value.isNegative() && !isZeroPart(value) ? "-     " + digits : digits;
}

std::string rootText(const LongNum& re, const LongNum& im)
{
    std::string text = rootPartText(re);
    if (isZeroPart(im))
        return text;
    return text + (im.isNegative() ? "-  i *    " : "+  i *    ") + partDigits(im);
}

NumericRoot describeRoot(const LongComplex& root)
{
    NumericRoot described;
    described.text = rootText(root.re, root.im);
    described.real = rootDecimal(root.re);
    described.imaginary = rootDecimal(root.im);
    described.re = LongToDouble(root.re);
    described.im = isZeroPart(root.im) ? 0.0 : LongToDouble(root.im);
    return described;
}

void sortRoots(std::vector<LongComplex>& roots)
{
    auto before = [](const LongComplex& a, const LongComplex& b) {
        bool realA = isZeroPart(a.im);
        bool realB = isZeroPart(b.im);
        if (realA != realB)
            return realA;
        if (realA)
            return greater(b.re, a.re);
        int signA = a.im.isNegative() ? -1 : 1;
        int signB = b.im.isNegative() ? -1 : 1;
        if (signA != signB)
            return signA > signB;
        return greater(b.re, a.re);
    };
    std::stable_sort(roots.begin(), roots.end(), before);
}

} // namespace kestrane
