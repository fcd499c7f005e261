// SPDX-License-Identifier: GPL-3.0-or-later
// Common divisors against std::gcd and factorisations checked by their
// product, with the full, a short and an empty prime table.
#include "numbers/number_theory.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

namespace kestrane {
namespace {

std::vector<std::int32_t> primesBelow(std::int32_t limit)
{
    std::vector<std::int32_t> primes;
    for (std::int32_t n = 2; n < limit; ++n) {
        if (isPrime(n))
            primes.push_back(n);
    }
    return primes;
}

TEST(CommonDivisorTest, MatchesTheLibrary)
{
    std::mt19937_64 engine(5);
    for (int round = 0; round < 3000; ++round) {
        std::int64_t common = static_cast<std::int64_t>(engine() % 100000) + 1;
        std::int64_t a = static_cast<std::int64_t>(engine() % 10000000) * common;
        std::int64_t b =
            static_cast<std::int64_t>(engine() % 10000000) * (round % 2 ? -common : common);
        EXPECT_EQ(commonDivisor(a, b), std::gcd(a, b)) << a << ", " << b;
    }
    // Common primes above any table: 1000003 and 999983 are prime.
    EXPECT_EQ(commonDivisor(1000003LL * 999983 * 6, 1000003LL * 999983 * 35), 1000003LL * 999983);
    EXPECT_EQ(commonDivisor(0, -12), 12);
    EXPECT_EQ(commonDivisor(0, 0), 0);
    EXPECT_EQ(commonDivisor(LongInt::fromInt(-36), LongInt::fromInt(48)).toText(), "12");
}

class FactoriseTest : public ::testing::Test {
protected:
    static void expectFactorisation(std::int64_t n, std::span<const std::int32_t> table)
    {
        if (n == 0)
            return;
        std::int64_t product = 1;
        std::int64_t previous = 1;
        for (const PrimePower& factor : factorise(n, table)) {
            EXPECT_TRUE(isPrime(factor.prime)) << n << ": " << factor.prime;
            EXPECT_GT(factor.prime, previous) << n;
            EXPECT_GE(factor.count, 1) << n;
            previous = factor.prime;
            for (int i = 0; i < factor.count; ++i)
                product *= factor.prime;
        }
        EXPECT_EQ(product, n < 0 ? -n : n) << n;
    }

    const std::vector<std::int32_t> m_full = primesBelow(70000);
    const std::vector<std::int32_t> m_short = primesBelow(30);
};

TEST_F(FactoriseTest, KnownNumbers)
{
    using Factors = std::vector<PrimePower>;
    struct Case {
        std::int64_t n;
        Factors factors;
    };
    const Case cases[] = {
        {12, {{2, 2}, {3, 1}}},
        {-72, {{2, 3}, {3, 2}}},
        {1, {}},
        {0, {}},
        {999983, {{999983, 1}}},
        {1000003LL * 1000003, {{1000003, 2}}},
        {2147483647999999LL, factorise(2147483647999999LL, {})},
        {4294967291LL * 479001599, {{479001599, 1}, {4294967291LL, 1}}},
        {1024 * 729 * 3125LL * 2401, {{2, 10}, {3, 6}, {5, 5}, {7, 4}}},
    };
    for (const Case& c : cases) {
        for (std::span<const std::int32_t> table :
             {std::span<const std::int32_t>(m_full), std::span<const std::int32_t>(m_short),
              std::span<const std::int32_t>()}) {
            EXPECT_EQ(factorise(c.n, table), c.factors)
                << c.n << " with " << table.size() << " primes";
            expectFactorisation(c.n, table);
        }
    }
}

// An empty or short table changes no result.
TEST_F(FactoriseTest, TheTableOnlySpeedsUp)
{
    std::mt19937_64 engine(11);
    for (int round = 0; round < 400; ++round) {
        std::int64_t n = static_cast<std::int64_t>(
                             engine() % static_cast<std::uint64_t>(LongInt::kMaxMagnitude)) +
                         1;
        if (round % 3 == 0)
            n = (n % 100000) * 1000003; // a prime above every table
        auto expected = factorise(n, m_full);
        EXPECT_EQ(factorise(n, m_short), expected) << n;
        EXPECT_EQ(factorise(n, {}), expected) << n;
        expectFactorisation(n, m_full);
    }
}

TEST(PrimeTest, SmallAndLarge)
{
    std::vector<std::int64_t> primes;
    for (std::int64_t n = -3; n < 60; ++n) {
        if (isPrime(n))
            primes.push_back(n);
    }
    EXPECT_EQ(primes, (std::vector<std::int64_t>{2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43,
                                                 47, 53, 59}));
    EXPECT_TRUE(isPrime(2147483647));
    EXPECT_FALSE(isPrime(3215031751LL)); // a strong pseudoprime to bases 2, 3, 5, 7
    EXPECT_TRUE(isPrime(1000000000000037LL));
}

} // namespace
} // namespace kestrane
