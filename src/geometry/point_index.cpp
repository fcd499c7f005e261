// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/point_index.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

constexpr double kCellsPerUnit = 1.0 / (2 * kPlaneTolerance);
// Positions beyond this are clamped to the outermost cells; they still meet
// the exact test, so only the speed of such far-off points suffers.
constexpr double kCellLimit = 1e15;

std::int64_t cellCoordinate(float value)
{
    const double cell = std::floor(static_cast<double>(value) * kCellsPerUnit);
    return static_cast<std::int64_t>(std::clamp(cell, -kCellLimit, kCellLimit));
}

} // namespace

PointIndex::CellKey PointIndex::keyOf(std::int64_t column, std::int64_t row)
{
    // Mix the two coordinates so that neighbouring cells spread over buckets.
    const auto first = static_cast<std::uint64_t>(column);
    const auto second = static_cast<std::uint64_t>(row);
    return first * 0x9E3779B97F4A7C15ULL ^ (second + 0x632BE59BD9B4E019ULL + (first << 6));
}

bool PointIndex::cellOf(const FloatPoint& position, std::int64_t& column, std::int64_t& row)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y))
        return false;
    column = cellCoordinate(position.x);
    row = cellCoordinate(position.y);
    return true;
}

void PointIndex::insert(PointRec* point, const FloatPoint& position)
{
    const Entry entry{m_nextOrder++, point, position};
    ++m_size;
    std::int64_t column = 0;
    std::int64_t row = 0;
    if (!cellOf(position, column, row)) {
        m_unplaced.push_back(entry);
        return;
    }
    m_cells[keyOf(column, row)].push_back(entry);
}

void PointIndex::erase(const PointRec* point, const FloatPoint& position)
{
    std::int64_t column = 0;
    std::int64_t row = 0;
    std::vector<Entry>* entries = &m_unplaced;
    std::unordered_map<CellKey, std::vector<Entry>>::iterator cell;
    if (cellOf(position, column, row)) {
        cell = m_cells.find(keyOf(column, row));
        if (cell == m_cells.end())
            return;
        entries = &cell->second;
    }
    m_size -= std::erase_if(*entries, [&](const Entry& entry) { return entry.point == point; });
    if (entries != &m_unplaced && entries->empty())
        m_cells.erase(cell);
}

PointRec* PointIndex::lastCoinciding(const FloatPoint& position) const
{
    std::int64_t column = 0;
    std::int64_t row = 0;
    if (!cellOf(position, column, row))
        return nullptr;
    const Entry* best = nullptr;
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            const auto cell = m_cells.find(keyOf(column + dx, row + dy));
            if (cell == m_cells.end())
                continue;
            for (const Entry& entry : cell->second) {
                if (coincide(entry.position, position) && (!best || entry.order > best->order))
                    best = &entry;
            }
        }
    }
    return best ? best->point : nullptr;
}

void PointIndex::clear()
{
    m_cells.clear();
    m_unplaced.clear();
    m_nextOrder = 0;
    m_size = 0;
}

} // namespace kestrane
