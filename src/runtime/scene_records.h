// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>
#include <vector>

// The lists of named records that module scenes keep, one per kind, in
// creation order; a lookup returns the last match, as the store's does.
namespace kestrane::scene_records {

template<class Record>
using List = std::vector<std::unique_ptr<Record>>;

template<class Record>
Record* findNamed(const List<Record>& list, std::string_view name, std::string_view scope)
{
    for (auto record = list.rbegin(); record != list.rend(); ++record) {
        if ((*record)->isNamed(name, scope))
            return record->get();
    }
    return nullptr;
}

// A procedure ended: its names no longer stand for the records.
template<class Record>
void unbindScope(List<Record>& list, std::string_view scope)
{
    for (auto& record : list)
        record->unbindScope(scope);
}

// A deep copy of `from` in `to`, for undo.
template<class Record>
void copyList(const List<Record>& from, List<Record>& to)
{
    to.clear();
    to.reserve(from.size());
    for (const auto& record : from)
        to.push_back(std::make_unique<Record>(*record));
}

} // namespace kestrane::scene_records
