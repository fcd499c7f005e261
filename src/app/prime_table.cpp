// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/prime_table.h"

#include "platform/files.h"
#include "platform/translation.h"

#include <array>

namespace kestrane {

namespace {

constexpr int kMarker = 2;
constexpr int kByteOffset = 20;
constexpr int kAlphabet = 175;
constexpr int kBase = 170;

// A fixed permutation of 0..174 (47 is prime to 175), built at start.
std::array<int, kAlphabet> substitutionTable()
{
    std::array<int, kAlphabet> table{};
    for (int index = 0; index < kAlphabet; ++index)
        table[index] = (index * 47 + 29) % kAlphabet;
    return table;
}

std::array<int, kAlphabet> inverseSubstitutionTable()
{
    std::array<int, kAlphabet> inverse{};
    auto table = substitutionTable();
    for (int index = 0; index < kAlphabet; ++index)
        inverse[table[index]] = index;
    return inverse;
}

std::optional<int> decodeByte(unsigned char byte)
{
    static const auto table = substitutionTable();
    int index = byte - kByteOffset;
    if (index < 0 || index >= kAlphabet)
        return {};
    return table[index];
}

char encodeDigit(int digit)
{
    static const auto inverse = inverseSubstitutionTable();
    return static_cast<char>(inverse[digit] + kByteOffset);
}

bool isPrimeByTable(std::int32_t value, const std::vector<std::int32_t>& smaller)
{
    if (value < 2)
        return false;
    for (std::int32_t prime : smaller) {
        if (static_cast<std::int64_t>(prime) * prime > value)
            return true;
        if (value % prime == 0)
            return false;
    }
    // The table so far is too short to decide; only its own first entries
    // reach here, and those are checked by plain trial division.
    for (std::int32_t divisor = smaller.empty() ? 2 : smaller.back() + 1;
         static_cast<std::int64_t>(divisor) * divisor <= value; ++divisor) {
        if (value % divisor == 0)
            return false;
    }
    return true;
}

} // namespace

void PrimeTable::assign(std::vector<std::int32_t> primes)
{
    if (primes.size() > static_cast<size_t>(kCapacity))
        primes.resize(kCapacity);
    m_primes = std::move(primes);
}

PrimeTable& primeTable()
{
    static PrimeTable table;
    return table;
}

DecodedPrimes decodePrimeTable(std::string_view bytes)
{
    DecodedPrimes result;
    std::int32_t previous = 0;
    for (size_t at = 0; at < bytes.size() && result.primes.size() < PrimeTable::kCapacity;) {
        std::optional<int> step;
        if (static_cast<unsigned char>(bytes[at]) == kMarker) {
            if (at + 2 < bytes.size()) {
                auto high = decodeByte(static_cast<unsigned char>(bytes[at + 1]));
                auto low = decodeByte(static_cast<unsigned char>(bytes[at + 2]));
                if (high && low && *high < kBase && *low < kBase)
                    step = *high * kBase + *low;
            }
            at += 3;
        } else {
            step = decodeByte(static_cast<unsigned char>(bytes[at]));
            at += 1;
        }
        if (!step || *step <= 0 || !isPrimeByTable(previous + *step, result.primes)) {
            result.damaged = true;
            break;
        }
        previous += *step;
        result.primes.push_back(previous);
    }
    return result;
}

std::optional<std::string> encodePrimeTable(std::span<const std::int32_t> primes)
{
    std::string bytes;
    std::int32_t previous = 0;
    for (std::int32_t prime : primes) {
        std::int32_t step = prime - previous;
        if (step <= 0 || step >= kBase * kBase)
            return {};
        if (step < kAlphabet) {
            bytes += encodeDigit(step);
        } else {
            bytes += static_cast<char>(kMarker);
            bytes += encodeDigit(step / kBase);
            bytes += encodeDigit(step % kBase);
        }
        previous = prime;
    }
    return bytes;
}

std::vector<std::int32_t> firstPrimes(int count)
{
    std::vector<std::int32_t> primes;
    std::vector<bool> composite;
    for (std::int32_t limit = 1024; static_cast<int>(primes.size()) < count; limit *= 2) {
        primes.clear();
        composite.assign(static_cast<size_t>(limit), false);
        for (std::int32_t value = 2; value < limit && static_cast<int>(primes.size()) < count;
             ++value) {
            if (composite[value])
                continue;
            primes.push_back(value);
            for (std::int64_t multiple = static_cast<std::int64_t>(value) * value; multiple < limit;
                 multiple += value)
                composite[static_cast<size_t>(multiple)] = true;
        }
    }
    return primes;
}

void loadPrimeTable(Host& host, std::span<const std::string> directories)
{
    std::optional<std::string> bytes;
    for (const std::string& directory : directories) {
        if ((bytes = readWholeFile(joinPath(directory, "dtst"))))
            break;
    }
    if (!bytes) {
        host.message(N_("Error."), N_("File 'dtst' missing"), MessageButtons::OkCancel,
                     MessageIcon::Error);
        primeTable().assign({});
        return;
    }
    DecodedPrimes decoded = decodePrimeTable(*bytes);
    if (decoded.damaged)
        host.message(N_("Error."), N_("File 'dtst' is damaged"), MessageButtons::OkCancel,
                     MessageIcon::Error);
    primeTable().assign(std::move(decoded.primes));
}

} // namespace kestrane
