// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace kestrane {

namespace fs = std::filesystem;

namespace {

bool isSeparator(char character)
{
    return character == '/' || character == '\\';
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<fs::path> findCaseInsensitive(const fs::path& directory, const fs::path& name)
{
    std::error_code error;
    fs::directory_iterator entries(directory.empty() ? fs::path(".") : directory, error);
    if (error)
        return {};
    for (const auto& entry : entries) {
        if (equalIgnoringCase(entry.path().filename().string(), name.string()))
            return directory / entry.path().filename();
    }
    return {};
}

std::string temporaryNameFor(const fs::path& path)
{
    static std::mt19937 generator{std::random_device{}()};
    return path.filename().string() + ".tmp" + std::to_string(generator() % 1000000);
}

} // namespace

fs::path nativePath(std::string_view path)
{
    std::string text(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
}

std::optional<fs::path> findExisting(const fs::path& path)
{
    std::error_code error;
    if (fs::exists(path, error))
        return path;
    fs::path found;
    for (const auto& component : path) {
        fs::path candidate = found / component;
        if (component == path.root_path() || component == "." || component == ".." ||
            fs::exists(candidate, error)) {
            found = candidate;
            continue;
        }
        auto match = findCaseInsensitive(found, component);
        if (!match)
            return {};
        found = *match;
    }
    return found;
}

std::optional<std::string> readWholeFile(const fs::path& path)
{
    auto existing = findExisting(path);
    if (!existing)
        return {};
    std::error_code error;
    if (fs::is_directory(*existing, error))
        return {};
    std::ifstream stream(*existing, std::ios::binary);
    if (!stream)
        return {};
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    if (stream.bad())
        return {};
    return std::move(bytes).str();
}

bool replaceFile(const fs::path& path, std::string_view bytes)
{
    fs::path directory = path.parent_path();
    fs::path temporary = directory / temporaryNameFor(path);
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        if (!stream)
            return false;
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        stream.flush();
        if (!stream) {
            stream.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

std::string joinPath(std::string_view directory, std::string_view name)
{
    std::string base(directory);
    std::replace(base.begin(), base.end(), '\\', '/');
    // 1. Each leading "..\" climbs one directory, but never above the root.
    while (name.size() >= 3 && name[0] == '.' && name[1] == '.' && isSeparator(name[2])) {
        name.remove_prefix(3);
        while (base.size() > 1 && base.back() == '/')
            base.pop_back();
        auto cut = base.find_last_of('/');
        if (cut == std::string::npos)
            base.clear();
        else
            base.erase(cut == 0 ? 1 : cut);
    }
    // 2. Drop a trailing separator, then join with exactly one.
    if (base.size() > 1 && base.back() == '/')
        base.pop_back();
    std::string joined = base;
    bool nameHasSeparator = !name.empty() && isSeparator(name.front());
    if (!nameHasSeparator && !joined.empty() && joined.back() != '/')
        joined += '/';
    if (nameHasSeparator && joined == "/")
        name.remove_prefix(1);
    joined += name;
    std::replace(joined.begin(), joined.end(), '\\', '/');
    return joined;
}

} // namespace kestrane
