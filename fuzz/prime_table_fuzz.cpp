// SPDX-License-Identifier: GPL-3.0-or-later
// "dtst" is read at every start: damaged bytes must give a damaged flag and
// a valid ascending table of primes, never a crash.
#include "app/prime_table.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kestrane::DecodedPrimes decoded = kestrane::decodePrimeTable(bytes);
    if (decoded.primes.size() > static_cast<size_t>(kestrane::PrimeTable::kCapacity))
        __builtin_trap();
    for (size_t index = 1; index < decoded.primes.size(); ++index) {
        if (decoded.primes[index] <= decoded.primes[index - 1])
            __builtin_trap();
    }
    return 0;
}
