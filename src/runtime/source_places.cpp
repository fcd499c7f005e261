// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/source_places.h"

#include "script/script_file.h"

#include <algorithm>
#include <cctype>

namespace kestrane {

namespace {

std::string_view fileNameOf(std::string_view path)
{
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               if (x == '\\')
                   x = '/';
               if (y == '\\')
                   y = '/';
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool names(const ScriptFile& file, std::string_view name)
{
    return sameName(file.name, name) || sameName(file.path, name) ||
           (!file.path.empty() && sameName(fileNameOf(file.path), fileNameOf(name))) ||
           (!file.name.empty() && sameName(fileNameOf(file.name), name));
}

const ScriptFile* findInclude(const ScriptFile& file, std::string_view name)
{
    for (const auto& include : file.includes) {
        if (names(*include, name))
            return include.get();
        if (const ScriptFile* found = findInclude(*include, name))
            return found;
    }
    return nullptr;
}

} // namespace

const ScriptFile* findProgramFile(const ScriptFile& main, std::string_view name)
{
    if (name.empty() || names(main, name))
        return &main;
    return findInclude(main, name);
}

std::optional<SourcePlace> findSourcePlace(const ScriptFile& main, std::string_view file, int line)
{
    const ScriptFile* found = findProgramFile(main, file);
    if (!found || line < 0)
        return {};
    return SourcePlace{found, line};
}

} // namespace kestrane
