// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_num_reference.h"

#include <cstddef>

using std::size_t;

namespace kestrane::reference {

namespace {

constexpr int kBase = 1000;

int wordCount(const Words& a)
{
    return static_cast<int>(a.size()) - 1;
}

int firstNonzero(const Words& a)
{
    int index = 0;
    while (index < wordCount(a) && a[static_cast<size_t>(index)] == 0)
        ++index;
    return index;
}

bool magnitudeGreaterEq(const Words& a, const Words& b)
{
    int first = firstNonzero(a);
    int second = firstNonzero(b);
    if (first != second)
        return first < second;
    for (int i = first; i < wordCount(a); ++i) {
        if (a[static_cast<size_t>(i)] != b[static_cast<size_t>(i)])
            return a[static_cast<size_t>(i)] > b[static_cast<size_t>(i)];
    }
    return true;
}

void addMagnitudes(const Words& a, const Words& b, Words& out)
{
    int carry = 0;
    for (int i = wordCount(a) - 1; i >= 0; --i) {
        int t = a[static_cast<size_t>(i)] + b[static_cast<size_t>(i)] + carry;
        if (t >= kBase) {
            out[static_cast<size_t>(i)] = t - kBase;
            carry = 1;
        } else {
            out[static_cast<size_t>(i)] = t;
            carry = 0;
        }
    }
}

void subtractMagnitudes(const Words& a, const Words& b, Words& out)
{
    int borrow = 0;
    for (int i = wordCount(a) - 1; i >= 0; --i) {
        int ai = a[static_cast<size_t>(i)];
        int bi = b[static_cast<size_t>(i)];
        if (ai >= bi + borrow) {
            out[static_cast<size_t>(i)] = ai - bi - borrow;
            borrow = 0;
        } else {
            out[static_cast<size_t>(i)] = kBase + ai - bi - borrow;
            borrow = 1;
        }
    }
}

} // namespace

bool greaterEq(const Words& a, const Words& b)
{
    int aSign = a.back();
    int bSign = b.back();
    if (aSign == '+' && bSign == '-')
        return true;
    if (aSign == '-' && bSign == '+')
        return false;
    bool magnitude = magnitudeGreaterEq(a, b);
    if (aSign == '-' && bSign == '-')
        return !magnitude;
    return magnitude;
}

void add(Words a, Words b, Words& out)
{
    int aSign = a.back();
    int bSign = b.back();
    a.back() = '+';
    b.back() = '+';
    Words result(a.size(), 0);
    if (aSign == bSign) {
        addMagnitudes(a, b, result);
        result.back() = aSign;
    } else if (magnitudeGreaterEq(a, b)) {
        subtractMagnitudes(a, b, result);
        result.back() = aSign;
    } else {
        subtractMagnitudes(b, a, result);
        result.back() = bSign;
    }
    out = result;
}

void subtract(const Words& a, Words b, Words& out)
{
    b.back() = b.back() == '+' ? '-' : '+';
    add(a, b, out);
}

void mulSmallShift(const Words& a, long long m, int shift, Words& out)
{
    int count = wordCount(a);
    Words result(a.size(), 0);
    result.back() = a.back();
    long long carry = 0;
    for (int i = count - 1; i >= 0; --i) {
        long long t = m * a[static_cast<size_t>(i)] + carry;
        carry = t / kBase;
        if (i + shift >= 0 && i + shift < count)
            result[static_cast<size_t>(i + shift)] = static_cast<int>(t % kBase);
    }
    out = result;
}

void multiply(const Words& a, const Words& b, Words& out)
{
    int count = wordCount(a);
    int half = count / 2;
    Words result(a.size(), 0);
    result.back() = '+';
    Words partial;
    for (int i = 0; i < count; ++i) {
        mulSmallShift(b, a[static_cast<size_t>(i)], i - half + 1, partial);
        addMagnitudes(result, partial, result);
    }
    result.back() = a.back() == b.back() ? '+' : '-';
    out = result;
}

void divideSmall(const Words& a, long long n, Words& out)
{
    Words result(a.size(), 0);
    long long r = 0;
    for (int i = 0; i < wordCount(a); ++i) {
        long long t = a[static_cast<size_t>(i)] + r * kBase;
        result[static_cast<size_t>(i)] = static_cast<int>(t / n);
        r = t % n;
    }
    result.back() = a.back();
    out = result;
}

DivisionOutcome divide(const Words& a, const Words& b, Words& out, int limit)
{
    int count = wordCount(a);
    int half = count / 2;
    Words dividend = a;
    Words divisor = b;
    int resultSign = a.back() == b.back() ? '+' : '-';
    dividend.back() = '+';
    divisor.back() = '+';
    int kb = firstNonzero(divisor);
    Words remainder = dividend;
    Words result(a.size(), 0);
    struct Estimate {
        long long q = 0;
        int shift = 0;
        bool valid = false;
    };
    auto estimate = [&]() {
        Estimate e;
        int ka = firstNonzero(remainder);
        long long r = remainder[static_cast<size_t>(ka)];
        long long d = divisor[static_cast<size_t>(kb)];
        bool smaller = r < d;
        if (smaller && ka + 1 < count)
            r = r * kBase + remainder[static_cast<size_t>(ka + 1)];
        e.shift = ka - kb + (smaller ? 1 : 0);
        e.q = r / (d + 1);
        if (e.q != 0)
            e.q -= 1;
        e.valid = ka < count && kb < count && d != 0;
        return e;
    };
    Estimate current = estimate();
    int shift = current.shift;
    Words product;
    for (int step = 0; step < half; ++step) {
        if (shift + kb < count && shift < half) {
            long long q = 0;
            product.assign(a.size(), 0);
            product.back() = '+';
            bool firstPass = true;
            int passes = 0;
            while (greaterEq(remainder, product)) {
                if (++passes > limit)
                    return DivisionOutcome::Looped;
                if (firstPass && current.valid && current.shift == shift)
                    q = current.q;
                else
                    q = q + 1;
                firstPass = false;
                // A product whose top digits or carry are lost no longer grows
                // with q: the steps would loop or count on with a wrong product.
                long long carry = 0;
                bool lost = false;
                for (int j = count - 1; j >= 0; --j) {
                    long long t = q * divisor[static_cast<size_t>(j)] + carry;
                    carry = t / kBase;
                    lost = lost || (j + shift < 0 && t % kBase != 0);
                }
                if (lost || carry != 0)
                    return DivisionOutcome::OutsideNumber;
                mulSmallShift(divisor, q, shift, product);
            }
            q = q - 1;
            if (half - 1 + shift < 0)
                return DivisionOutcome::OutsideNumber;
            if (q >= kBase)
                return DivisionOutcome::WordOverflow;
            result[static_cast<size_t>(half - 1 + shift)] = static_cast<int>(q);
            mulSmallShift(divisor, q, shift, product);
            subtract(remainder, product, remainder);
        }
        shift = shift + 1;
        current = estimate();
    }
    result.back() = resultSign;
    out = result;
    return DivisionOutcome::Finished;
}

} // namespace kestrane::reference
