// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the prime table file "dtst": the first 7000 primes, scrambled.
#include "app/prime_table.h"
#include "platform/files.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: make_dtst OUTPUT\n";
        return 2;
    }
    auto primes = kestrane::firstPrimes(kestrane::PrimeTable::kCapacity);
    auto bytes = kestrane::encodePrimeTable(primes);
    if (!bytes || !kestrane::replaceFile(argv[1], *bytes)) {
        std::cerr << "make_dtst: cannot write " << argv[1] << '\n';
        return 2;
    }
    std::cout << primes.size() << " primes, " << primes.front() << " to " << primes.back() << '\n';
    return 0;
}
