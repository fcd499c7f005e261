// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/collection.h"

#include <unordered_map>

namespace kestrane {

namespace {

struct ShiftHash {
    std::size_t operator()(const IntegerShift& shift) const
    {
        std::size_t hash = std::hash<std::int64_t>()(shift.x);
        hash = hash * 1000003u ^ std::hash<std::int64_t>()(shift.y);
        return hash * 1000003u ^ std::hash<std::int64_t>()(shift.z);
    }
};

class ChainBuilder {
public:
    ChainBuilder(const PolygonRec& source, const Region& region,
                 const std::function<void()>& progress)
        : m_source(source)
        , m_region(region)
        , m_progress(progress)
    {
        append(IntegerShift{});
    }

    // One walk: every chain entry in order, copies appended meanwhile
    // included. Returns whether it added a copy; stops early past the limit.
    bool walk(const IntegerShift& vector)
    {
        bool added = false;
        for (std::size_t index = 0; index < m_chain.shifts.size(); ++index) {
            const IntegerShift from = m_chain.shifts[index];
            IntegerShift moved{from.x + vector.x, from.y + vector.y, from.z + vector.z};
            if (!qualifies(moved))
                continue;
            m_progress();
            auto equal = m_index.find(moved);
            if (equal != m_index.end()) {
                // The walked polygon hands its names to the equal one.
                if (m_chain.namesAt == index)
                    m_chain.namesAt = equal->second;
                continue;
            }
            if (m_chain.shifts.size() > kMaxCollectionCopies) {
                m_overflow = true;
                return false;
            }
            append(moved);
            added = true;
        }
        return added;
    }

    bool startsInRegion() const
    {
        for (const PolygonVertex& vertex : m_source.vertices) {
            if (m_region.contains(static_cast<double>(truncatedInteger(vertex.x)),
                                  static_cast<double>(truncatedInteger(vertex.y))))
                return true;
        }
        return false;
    }

    bool overflow() const { return m_overflow; }
    CollectionChain take() { return std::move(m_chain); }

private:
    void append(const IntegerShift& shift)
    {
        m_index.emplace(shift, m_chain.shifts.size());
        m_chain.shifts.push_back(shift);
    }

    // A move qualifies when a shifted vertex, in floats, lies in the region.
    bool qualifies(const IntegerShift& shift) const
    {
        for (const PolygonVertex& vertex : m_source.vertices) {
            float x = vertex.floats.x + static_cast<float>(shift.x);
            float y = vertex.floats.y + static_cast<float>(shift.y);
            if (m_region.contains(x, y))
                return true;
        }
        return false;
    }

    const PolygonRec& m_source;
    const Region& m_region;
    const std::function<void()>& m_progress;
    CollectionChain m_chain;
    std::unordered_map<IntegerShift, std::size_t, ShiftHash> m_index;
    bool m_overflow = false;
};

} // namespace

std::int64_t truncatedInteger(const LongNum& value)
{
    const int integerWords = value.wordCount() / 2;
    std::int64_t magnitude = 0;
    for (int index = 0; index < integerWords; ++index)
        magnitude = magnitude * kLongBase + value[index];
    return value.isNegative() ? -magnitude : magnitude;
}

CollectionResult buildCollection(const PolygonRec& source, const std::vector<IntegerShift>& vectors,
                                 const Region& region, const std::function<void()>& progress)
{
    ChainBuilder builder(source, region, progress);
    if (!builder.startsInRegion())
        return {std::nullopt, CollectionFailure::OutsideRegion};
    // A pass: with each vector in turn, walks while they add copies, then
    // walks with its opposite; passes go on until one adds nothing.
    bool passAdded = true;
    while (passAdded) {
        passAdded = false;
        for (const IntegerShift& vector : vectors) {
            IntegerShift opposite{-vector.x, -vector.y, -vector.z};
            for (const IntegerShift& direction : {vector, opposite}) {
                while (builder.walk(direction))
                    passAdded = true;
                if (builder.overflow())
                    return {std::nullopt, CollectionFailure::TooManyCopies};
            }
        }
    }
    return {builder.take(), std::nullopt};
}

bool collectionEqual(const PolygonRec& first, const PolygonRec& second)
{
    if (first.vertices.size() != second.vertices.size())
        return false;
    for (std::size_t index = 0; index < first.vertices.size(); ++index) {
        const PolygonVertex& a = first.vertices[index];
        const PolygonVertex& b = second.vertices[index];
        LongNum difference;
        for (auto [p, q] : {std::pair{&a.x, &b.x}, std::pair{&a.y, &b.y}, std::pair{&a.z, &b.z}}) {
            LongSub(*p, *q, difference);
            if (truncatedInteger(difference) != 0)
                return false;
        }
    }
    return true;
}

} // namespace kestrane
