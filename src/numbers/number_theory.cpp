// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/number_theory.h"

#include <algorithm>
#include <numeric>

namespace kestrane {

namespace {

using Unsigned = std::uint64_t;
__extension__ typedef unsigned __int128 WideUnsigned;

Unsigned multiplyModulo(Unsigned a, Unsigned b, Unsigned m)
{
    return static_cast<Unsigned>(static_cast<WideUnsigned>(a) * b % m);
}

Unsigned powerModulo(Unsigned base, Unsigned exponent, Unsigned m)
{
    Unsigned result = 1 % m;
    base %= m;
    for (; exponent > 0; exponent >>= 1) {
        if (exponent & 1)
            result = multiplyModulo(result, base, m);
        base = multiplyModulo(base, base, m);
    }
    return result;
}

// One Miller-Rabin round: false when `witness` proves n composite.
bool passesRound(Unsigned n, Unsigned witness)
{
    Unsigned odd = n - 1;
    int twos = 0;
    for (; odd % 2 == 0; odd /= 2)
        ++twos;
    Unsigned x = powerModulo(witness, odd, n);
    if (x == 1 || x == n - 1)
        return true;
    for (int i = 1; i < twos; ++i) {
        x = multiplyModulo(x, x, n);
        if (x == n - 1)
            return true;
    }
    return false;
}

// A nontrivial divisor of the odd composite n (Brent's variant of rho).
Unsigned rhoDivisor(Unsigned n)
{
    for (Unsigned increment = 1;; ++increment) {
        auto step = [&](Unsigned x) { return (multiplyModulo(x, x, n) + increment) % n; };
        Unsigned x = 2;
        Unsigned y = 2;
        Unsigned divisor = 1;
        while (divisor == 1) {
            x = step(x);
            y = step(step(y));
            divisor = std::gcd(x > y ? x - y : y - x, n);
        }
        if (divisor != n)
            return divisor;
    }
}

void splitInto(Unsigned n, std::vector<PrimePower>& counts)
{
    if (n == 1)
        return;
    if (isPrime(static_cast<std::int64_t>(n))) {
        counts.push_back({static_cast<std::int64_t>(n), 1});
        return;
    }
    Unsigned divisor = rhoDivisor(n);
    splitInto(divisor, counts);
    splitInto(n / divisor, counts);
}

// Removes every factor p from n, counting it.
void divideOut(Unsigned& n, Unsigned p, std::vector<PrimePower>& counts)
{
    while (n % p == 0) {
        n /= p;
        counts.push_back({static_cast<std::int64_t>(p), 1});
    }
}

// The primes below 1000: divisors past a short table are tried by these
// before rho, which is slow on small factors.
const std::vector<Unsigned>& smallPrimes()
{
    static const std::vector<Unsigned> primes = [] {
        std::vector<Unsigned> list;
        for (Unsigned n = 2; n < 1000; ++n) {
            if (std::all_of(list.begin(), list.end(), [n](Unsigned p) { return n % p != 0; }))
                list.push_back(n);
        }
        return list;
    }();
    return primes;
}

} // namespace

std::int64_t commonDivisor(std::int64_t a, std::int64_t b)
{
    Unsigned x = a < 0 ? 0 - static_cast<Unsigned>(a) : static_cast<Unsigned>(a);
    Unsigned y = b < 0 ? 0 - static_cast<Unsigned>(b) : static_cast<Unsigned>(b);
    while (y != 0) {
        Unsigned rest = x % y;
        x = y;
        y = rest;
    }
    return static_cast<std::int64_t>(x);
}

LongInt commonDivisor(const LongInt& a, const LongInt& b)
{
    return LongInt::fromInt(commonDivisor(a.value(), b.value()));
}

bool isPrime(std::int64_t n)
{
    if (n < 2)
        return false;
    Unsigned value = static_cast<Unsigned>(n);
    // These witnesses decide every 64-bit number.
    constexpr Unsigned kWitnesses[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (Unsigned p : kWitnesses) {
        if (value % p == 0)
            return value == p;
    }
    return std::all_of(std::begin(kWitnesses), std::end(kWitnesses),
                       [value](Unsigned witness) { return passesRound(value, witness); });
}

std::vector<PrimePower> factorise(std::int64_t n, std::span<const std::int32_t> primes)
{
    Unsigned rest = n < 0 ? 0 - static_cast<Unsigned>(n) : static_cast<Unsigned>(n);
    std::vector<PrimePower> counts;
    if (rest == 0)
        return {};
    Unsigned tried = 1; // the last table prime divided out
    for (std::int32_t prime : primes) {
        Unsigned p = static_cast<Unsigned>(prime);
        if (p * p > rest)
            break;
        divideOut(rest, p, counts);
        tried = p;
    }
    for (Unsigned p : smallPrimes()) {
        if (p * p > rest)
            break;
        if (p > tried)
            divideOut(rest, p, counts);
    }
    splitInto(rest, counts);
    // Rho finds the large primes in any order; equal ones are merged.
    std::sort(counts.begin(), counts.end(),
              [](const PrimePower& a, const PrimePower& b) { return a.prime < b.prime; });
    std::vector<PrimePower> factors;
    for (const PrimePower& factor : counts) {
        if (!factors.empty() && factors.back().prime == factor.prime)
            factors.back().count += factor.count;
        else
            factors.push_back(factor);
    }
    return factors;
}

} // namespace kestrane
