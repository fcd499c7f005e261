// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/float_point.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kestrane {

struct PointRec;

// A grid over the float positions of the stored points that answers the
// merge question without walking the whole point list. Cells are twice the
// tolerance wide, so every point that coincides with a position lies in the
// position's cell or one of its eight neighbours. The answer is the same as
// a walk over the list: the coinciding point inserted last.
class PointIndex {
public:
    // Points must be inserted in list order (appended at the tail).
    void insert(PointRec* point, const FloatPoint& position);
    // The position must be the one the point was inserted with.
    void erase(const PointRec* point, const FloatPoint& position);
    // The last inserted point that coincides with the position, or null.
    PointRec* lastCoinciding(const FloatPoint& position) const;
    void clear();
    std::size_t size() const { return m_size; }

private:
    struct Entry {
        std::uint64_t order;
        PointRec* point;
        FloatPoint position;
    };
    using CellKey = std::uint64_t;

    static CellKey keyOf(std::int64_t column, std::int64_t row);
    static bool cellOf(const FloatPoint& position, std::int64_t& column, std::int64_t& row);

    std::unordered_map<CellKey, std::vector<Entry>> m_cells;
    // Points whose position is not finite never coincide with anything.
    std::vector<Entry> m_unplaced;
    std::uint64_t m_nextOrder = 0;
    std::size_t m_size = 0;
};

} // namespace kestrane
