// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/prime_table.h"
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(PrimeTable, TheShippedFileHoldsTheFirst7000Primes)
{
    auto bytes = readWholeFile(std::string(KESTRANE_SOURCE_DIR) + "/data/dtst");
    ASSERT_TRUE(bytes);
    DecodedPrimes decoded = decodePrimeTable(*bytes);
    EXPECT_FALSE(decoded.damaged);
    ASSERT_EQ(decoded.primes.size(), 7000u);
    EXPECT_EQ(decoded.primes.front(), 2);
    EXPECT_EQ(decoded.primes[1], 3);
    EXPECT_EQ(decoded.primes.back(), 70657);
    EXPECT_EQ(decoded.primes, firstPrimes(7000));
}

TEST(PrimeTable, LargeStepsUseTheMarkerForm)
{
    std::vector<std::int32_t> primes{2, 3, 5, 211, 28751};
    auto bytes = encodePrimeTable(primes);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 3u + 3u + 3u);
    EXPECT_EQ((*bytes)[3], '\x02');
    EXPECT_EQ(decodePrimeTable(*bytes).primes, primes);
    EXPECT_FALSE(encodePrimeTable(std::vector<std::int32_t>{2, 1000003})) << "step too large";
    EXPECT_FALSE(encodePrimeTable(std::vector<std::int32_t>{3, 2})) << "not ascending";
}

TEST(PrimeTable, DamageKeepsThePrimesBeforeIt)
{
    std::string bytes = *encodePrimeTable(firstPrimes(10));
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"byte below the alphabet", bytes.substr(0, 5) + '\x05' + bytes.substr(6)},
        {"marker cut short", bytes.substr(0, 5) + "\x02"},
        {"step to a composite", bytes.substr(0, 5) + encodePrimeTable(std::vector<std::int32_t>{4})->substr(0, 1)
                                    + bytes.substr(6)},
    };
    for (const Case& test : cases) {
        DecodedPrimes decoded = decodePrimeTable(test.bytes);
        EXPECT_TRUE(decoded.damaged) << test.name;
        EXPECT_EQ(decoded.primes, firstPrimes(5)) << test.name;
    }
}

TEST(PrimeTable, AMissingFileIsReportedAndLeavesTheTableEmpty)
{
    testing::TempDir dir;
    ScriptedHost host;
    std::vector<std::string> directories{dir.path().string()};
    loadPrimeTable(host, directories);
    EXPECT_EQ(primeTable().count(), 0);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Error.");
    EXPECT_EQ(host.messages()[0].text, "File 'dtst' missing");
    EXPECT_EQ(host.messages()[0].buttons, MessageButtons::OkCancel);

    dir.write("later/dtst", *encodePrimeTable(firstPrimes(20)));
    directories.push_back((dir / "later").string());
    loadPrimeTable(host, directories);
    EXPECT_EQ(primeTable().count(), 20);
    EXPECT_EQ(host.messages().size(), 1u);
}

} // namespace
} // namespace kestrane
