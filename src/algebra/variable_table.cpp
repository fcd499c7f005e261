// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/variable_table.h"

#include "expressions/fract_layout.h"
#include "expressions/mark_matching.h"

#include <utility>

namespace kestrane {

VariableTable::VariableTable() : m_records(kGrowth) {}

VariableRecord& VariableTable::add(std::string name, std::unique_ptr<FractNode> value, bool enabled,
                                   std::uint8_t extra)
{
    if (value) {
        setLastSign(*value, '+');
        rightmostLeaf(*value).opSign.sign = '+';
        fixUp(*value);
        matchMarks(*value);
    }
    if (m_count + 1 > capacity())
        reserve(capacity() + kGrowth);
    VariableRecord& record = m_records[static_cast<std::size_t>(m_count)];
    record = VariableRecord{};
    record.name = std::move(name);
    record.enabled = enabled;
    record.extra = extra;
    record.value = std::move(value);
    ++m_count;
    if (record.value) {
        computeMarkSpans(*record.value);
        const int height = verticalLayout(*record.value);
        record.value->x = kValueX;
        record.value->y = listY + 25;
        listY += height + 50;
    } else {
        listY += 50;
    }
    return record;
}

bool VariableTable::remove(int index)
{
    if (index < 0 || index >= m_count || !record(index).removable)
        return false;
    for (int i = index; i + 1 < m_count; ++i)
        record(i) = std::move(record(i + 1));
    record(m_count - 1) = VariableRecord{};
    --m_count;
    return true;
}

void VariableTable::reserve(int slots)
{
    if (slots > capacity())
        m_records.resize(static_cast<std::size_t>(slots));
}

void VariableTable::swapRecords(int a, int b)
{
    std::swap(record(a), record(b));
}

int VariableTable::find(std::string_view name) const
{
    for (int i = 0; i < m_count; ++i) {
        if (record(i).name == name)
            return i;
    }
    return -1;
}

bool VariableTable::contains(std::string_view name) const
{
    return name == kMinusOne || find(name) >= 0;
}

VariableTable VariableTable::copy() const
{
    VariableTable result;
    for (int i = 0; i < m_count; ++i) {
        const VariableRecord& from = record(i);
        if (!from.value)
            continue;
        VariableRecord& to = result.add(from.name, copyTree(*from.value), from.enabled, from.extra);
        to.removable = from.removable;
    }
    return result;
}

} // namespace kestrane
