// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/plane_figures.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kestrane {

// An integer move of the plane (and space) by which Collection shifts
// polygons.
struct IntegerShift {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t z = 0;
    friend bool operator==(const IntegerShift&, const IntegerShift&) = default;
};

// The chain of copies that Collection builds, as shifts of the source
// polygon. Every copy is the source moved by a sum of integer vectors, so two
// copies are equal (vertex by vertex, truncated differences zero) exactly
// when their shifts are equal: a hash set of shifts finds equal copies in
// constant time, with the same result and order as comparing polygons.
struct CollectionChain {
    // Shifts in chain order; the first is the source itself (0, 0, 0).
    std::vector<IntegerShift> shifts;
    // The chain entry that carries the source's names at the end.
    std::size_t namesAt = 0;
};

// Why a collection was not built.
enum class CollectionFailure { OutsideRegion, TooManyCopies };

inline constexpr std::size_t kMaxCollectionCopies = 100000;

// Walks and passes of Collection: with each vector, then its opposite,
// copies whose moved vertices reach into the region are appended until a
// pass adds nothing. `progress` is called for every qualifying move.
// Fails when no vertex of the source lies in the region or when more than
// kMaxCollectionCopies copies would be made.
struct CollectionResult {
    std::optional<CollectionChain> chain;
    std::optional<CollectionFailure> failure;
};
CollectionResult buildCollection(const PolygonRec& source, const std::vector<IntegerShift>& vectors,
                                 const Region& region, const std::function<void()>& progress);

// Whether two polygons are equal for Collection: the same vertex count and,
// vertex by vertex, truncated coordinate differences of zero.
bool collectionEqual(const PolygonRec& first, const PolygonRec& second);

// A long number truncated toward zero to an integer.
std::int64_t truncatedInteger(const LongNum& value);

} // namespace kestrane
