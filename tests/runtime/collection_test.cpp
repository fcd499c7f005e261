// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/collection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kestrane {
namespace {

// The walks and passes of Collection done the plain way: every new copy is
// compared with every polygon of the chain, vertex by vertex.
struct ReferenceChain {
    std::vector<PolygonRec> polygons;
    std::size_t namesAt = 0;
};

PolygonRec shifted(const PolygonRec& polygon, const IntegerShift& shift)
{
    PolygonRec copy;
    for (const PolygonVertex& vertex : polygon.vertices) {
        LongNum x;
        LongNum y;
        LongAdd(vertex.x, LongNum::fromInteger(shift.x), x);
        LongAdd(vertex.y, LongNum::fromInteger(shift.y), y);
        copy.vertices.push_back(makeVertex(x, y, vertex.z));
    }
    return copy;
}

bool referenceWalk(ReferenceChain& chain, const IntegerShift& vector, const Region& region)
{
    bool added = false;
    for (std::size_t index = 0; index < chain.polygons.size(); ++index) {
        PolygonRec moved = shifted(chain.polygons[index], vector);
        bool inside = false;
        for (const PolygonVertex& vertex : moved.vertices)
            inside = inside || region.contains(vertex.floats.x, vertex.floats.y);
        if (!inside)
            continue;
        std::size_t equal = 0;
        // Polygons whose first corners lie pixels apart cannot be equal; the
        // float test only saves time, collectionEqual decides.
        auto mayEqual = [&](const PolygonRec& polygon) {
            return std::fabs(polygon.vertices[0].floats.x - moved.vertices[0].floats.x) < 2 &&
                   std::fabs(polygon.vertices[0].floats.y - moved.vertices[0].floats.y) < 2;
        };
        while (equal < chain.polygons.size() &&
               !(mayEqual(chain.polygons[equal]) && collectionEqual(chain.polygons[equal], moved)))
            ++equal;
        if (equal < chain.polygons.size()) {
            if (chain.namesAt == index)
                chain.namesAt = equal;
            continue;
        }
        chain.polygons.push_back(moved);
        added = true;
    }
    return added;
}

ReferenceChain referenceCollection(const PolygonRec& source,
                                   const std::vector<IntegerShift>& vectors, const Region& region)
{
    ReferenceChain chain{{source}, 0};
    bool passAdded = true;
    while (passAdded) {
        passAdded = false;
        for (const IntegerShift& vector : vectors) {
            for (IntegerShift direction : {vector, IntegerShift{-vector.x, -vector.y, -vector.z}}) {
                while (referenceWalk(chain, direction, region))
                    passAdded = true;
            }
        }
    }
    return chain;
}

// The hashed chain gives the copies, their order and the holder of the names
// that comparing polygon by polygon gives, for random tiles, vectors and
// regions (fractional corners included).
TEST(CollectionChain, SameResultAsComparingEveryPolygon)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> corner(0, 60);
    std::uniform_int_distribution<int> fraction(0, 999);
    // Steps of at least 10 keep the plain comparison quick: a few hundred
    // copies at most.
    std::uniform_int_distribution<int> length(10, 25);
    std::uniform_int_distribution<int> sign(0, 1);
    auto step = [&](std::mt19937& generator) {
        return sign(generator) ? length(generator) : -length(generator);
    };
    for (int trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE(trial);
        PolygonRec source;
        for (int index = 0; index < 3; ++index) {
            std::string x = std::to_string(corner(random)) + "." + std::to_string(fraction(random));
            source.vertices.push_back(
                makeVertex(LongFromText(x), LongNum::fromInteger(corner(random)), LongNum()));
        }
        source.vertices.push_back(source.vertices.front());
        std::vector<IntegerShift> vectors{{step(random), step(random), 0},
                                          {step(random), step(random), 0}};
        Region region{0, 0, 60 + corner(random) / 2, 60 + corner(random) / 2};
        int progress = 0;
        CollectionResult result =
            buildCollection(source, vectors, region, [&progress] { ++progress; });
        ReferenceChain expected = referenceCollection(source, vectors, region);
        ASSERT_TRUE(result.chain);
        ASSERT_EQ(result.chain->shifts.size(), expected.polygons.size());
        for (std::size_t index = 0; index < expected.polygons.size(); ++index)
            EXPECT_TRUE(collectionEqual(shifted(source, result.chain->shifts[index]),
                                        expected.polygons[index]));
        EXPECT_EQ(result.chain->namesAt, expected.namesAt);
        EXPECT_GT(progress, 0);
    }
}

TEST(CollectionChain, SourceOutsideTheRegionBuildsNothing)
{
    PolygonRec source;
    for (int x : {500, 520, 510, 500})
        source.vertices.push_back(
            makeVertex(LongNum::fromInteger(x), LongNum::fromInteger(500), LongNum()));
    CollectionResult result = buildCollection(source, {{10, 0, 0}}, Region{0, 0, 100, 100}, [] {});
    EXPECT_EQ(result.failure, CollectionFailure::OutsideRegion);
}

TEST(CollectionChain, EqualityTruncatesEachDifference)
{
    auto polygonAt = [](const char* x) {
        PolygonRec polygon;
        polygon.vertices.push_back(makeVertex(LongFromText(x), LongNum(), LongNum()));
        return polygon;
    };
    EXPECT_TRUE(collectionEqual(polygonAt("0.9"), polygonAt("1.1")));
    EXPECT_TRUE(collectionEqual(polygonAt("5.0"), polygonAt("5.999")));
    EXPECT_FALSE(collectionEqual(polygonAt("5.0"), polygonAt("6.0")));
}

} // namespace
} // namespace kestrane
