// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_int.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kestrane {

// The greatest common divisor of |a| and |b| by Euclid's algorithm; 0 only
// when both are 0.
std::int64_t commonDivisor(std::int64_t a, std::int64_t b);
LongInt commonDivisor(const LongInt& a, const LongInt& b);

// One prime of a factorisation with its multiplicity.
struct PrimePower {
    std::int64_t prime = 0;
    int count = 0;
    friend bool operator==(const PrimePower&, const PrimePower&) = default;
};

// The prime factors of |n| in ascending order (nothing for 0 and 1). The
// primes of the table (ascending from 2, primes only; it may be empty or
// short) are tried first; what remains is split by trial division by the
// primes below 1000 and then by Pollard's rho method, so the table only makes
// the work faster and never changes the result.
std::vector<PrimePower> factorise(std::int64_t n, std::span<const std::int32_t> primes);

// True when n is prime (deterministic for every 64-bit n).
bool isPrime(std::int64_t n);

} // namespace kestrane
