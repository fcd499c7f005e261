// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/fract_node.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// A named expression: a user variable of the Fractions and Roots window or a
// definition of the simplifier's working table.
struct VariableRecord {
    // The vertical extent of the record's row in the list view.
    int rowTop = 0;
    int rowBottom = 0;
    // Null for a name that is known but not defined.
    std::unique_ptr<FractNode> value;
    bool enabled = true;
    // Up to 13 characters; user names have at most 4.
    std::string name;
    // The simplifier removes only removable records.
    bool removable = true;
    std::uint8_t extra = 0;
    // The name while it is being edited.
    std::unique_ptr<FractNode> nameExpression;
};

class VariableTable {
public:
    static constexpr int kGrowth = 10;
    // Where the list view starts and where values are placed in it.
    static constexpr int kListTop = 120;
    static constexpr int kValueX = 500;
    // The reserved name that stands for minus one.
    static constexpr std::string_view kMinusOne = "I";

    VariableTable();
    VariableTable(VariableTable&&) noexcept = default;
    VariableTable& operator=(VariableTable&&) noexcept = default;

    int capacity() const { return static_cast<int>(m_records.size()); }
    int count() const { return m_count; }
    VariableRecord& record(int index) { return m_records[static_cast<std::size_t>(index)]; }
    const VariableRecord& record(int index) const
    {
        return m_records[static_cast<std::size_t>(index)];
    }

    // Appends a record. A value has the sign at its right end reset to '+'
    // and is fixed up, then placed in the list below the previous records.
    // The table grows by kGrowth slots when it is full.
    VariableRecord& add(std::string name, std::unique_ptr<FractNode> value, bool enabled = true,
                        std::uint8_t extra = 0);
    // Removes a removable record, moving the later ones down. False when the
    // index is out of range or the record is not removable.
    bool remove(int index);
    // Grows to at least `slots` record slots (never shrinks).
    void reserve(int slots);
    // Exchanges two records in use.
    void swapRecords(int a, int b);

    // The index of the record with exactly this name, or -1.
    int find(std::string_view name) const;
    // Whether the name is known; "I" always is.
    bool contains(std::string_view name) const;

    // A deep copy of every record that has a value, keeping names and flags.
    VariableTable copy() const;

    // The running vertical position of the list view.
    int listY = kListTop;
    bool needsScrolling = false;
    // The counter behind generated names.
    int nameCounter = 0;
    int scrollOffset = 0;
    int spare = 0;

private:
    std::vector<VariableRecord> m_records;
    int m_count = 0;
};

} // namespace kestrane
