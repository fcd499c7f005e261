// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/data_file_search.h"

#include "platform/files.h"

#include <filesystem>

namespace kestrane {

std::vector<std::string> DataFileSearch::places(std::string_view name) const
{
    std::vector<std::string> result;
    if (name.empty())
        return result;
    result.emplace_back(name);
    std::vector<std::string> bases{".", scriptDirectory, directories.main, directories.working,
                                   directories.library};
    for (std::size_t index = 1; index < bases.size(); ++index) {
        if (!bases[index].empty())
            result.push_back(joinPath(bases[index], name));
    }
    for (const std::string& base : bases) {
        if (!base.empty())
            result.push_back(joinPath(joinPath(base, "Examples"), name));
    }
    if (!shippedExamples.empty())
        result.push_back(joinPath(shippedExamples, name));
    return result;
}

std::optional<std::string> DataFileSearch::find(std::string_view name) const
{
    namespace fs = std::filesystem;
    for (const std::string& place : places(name)) {
        auto found = findExisting(nativePath(place));
        std::error_code error;
        if (found && fs::is_regular_file(*found, error))
            return found->string();
    }
    return std::nullopt;
}

} // namespace kestrane
