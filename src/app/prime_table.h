// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The process-wide ascending table of primes from 2 that the exact
// arithmetic divides by: at most 7000 entries, read at start from "dtst".
class PrimeTable {
public:
    static constexpr int kCapacity = 7000;

    std::span<const std::int32_t> primes() const { return m_primes; }
    int count() const { return static_cast<int>(m_primes.size()); }
    void assign(std::vector<std::int32_t> primes);

private:
    std::vector<std::int32_t> m_primes;
};

PrimeTable& primeTable();

// The "dtst" file holds the table scrambled: every entry is the step from the
// previous prime (from 0 for the first), written as one byte, or as the marker
// byte 2 followed by two bytes that give the step in base 170. Each byte, less
// 20, is mapped through a substitution table of 175 entries.
struct DecodedPrimes {
    std::vector<std::int32_t> primes;
    bool damaged = false; // a byte or value that cannot belong to the table
};

DecodedPrimes decodePrimeTable(std::string_view bytes);
// Nothing when a step does not fit the format (28 899 at the most).
std::optional<std::string> encodePrimeTable(std::span<const std::int32_t> primes);

// The first `count` primes, by a sieve.
std::vector<std::int32_t> firstPrimes(int count);

// Reads "dtst" from the first directory that has it into the process-wide
// table. A missing file shows "File 'dtst' missing" and leaves the table
// empty; a damaged one keeps the primes before the damage and says so.
void loadPrimeTable(Host& host, std::span<const std::string> directories);

} // namespace kestrane
