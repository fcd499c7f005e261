// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recent_files.h"

#include "platform/files.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace kestrane {

namespace {

constexpr std::string_view kKindNames[] = {"script", "fraction", "function"};

std::string_view kindName(RecentKind kind)
{
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<RecentKind> kindNamed(std::string_view name)
{
    for (std::size_t index = 0; index < std::size(kKindNames); ++index) {
        if (kKindNames[index] == name)
            return static_cast<RecentKind>(index);
    }
    return std::nullopt;
}

std::string absolute(const std::string& path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

} // namespace

RecentFiles::RecentFiles(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path RecentFiles::defaultPath()
{
    std::filesystem::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".config";
    return base / "kestrane" / "recent";
}

std::vector<RecentFiles::Entry> RecentFiles::read() const
{
    std::vector<Entry> entries;
    std::optional<std::string> text = readWholeFile(m_file);
    if (!text)
        return entries;
    std::string_view rest = *text;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab + 1 == line.size())
            continue;
        // Lines of an unknown kind (a later version's) are dropped, not kept.
        if (std::optional<RecentKind> kind = kindNamed(line.substr(0, tab)))
            entries.push_back({*kind, std::string(line.substr(tab + 1))});
    }
    return entries;
}

void RecentFiles::write(const std::vector<Entry>& entries) const
{
    std::string text;
    for (const Entry& entry : entries)
        text += std::string(kindName(entry.kind)) + '\t' + entry.path + '\n';
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    // The list is a convenience: a configuration directory that cannot be
    // written leaves it as it was, without a message.
    replaceFile(m_file, text);
}

std::vector<std::string> RecentFiles::list(RecentKind kind) const
{
    std::vector<std::string> paths;
    for (const Entry& entry : read()) {
        if (entry.kind == kind && paths.size() < kMaxFiles)
            paths.push_back(entry.path);
    }
    return paths;
}

void RecentFiles::add(RecentKind kind, const std::string& path)
{
    if (path.empty())
        return;
    std::string full = absolute(path);
    std::vector<Entry> entries = read();
    std::erase_if(entries,
                  [&](const Entry& entry) { return entry.kind == kind && entry.path == full; });
    entries.insert(entries.begin(), {kind, full});
    std::size_t kept = 0;
    std::erase_if(entries,
                  [&](const Entry& entry) { return entry.kind == kind && ++kept > kMaxFiles; });
    write(entries);
}

void RecentFiles::remove(RecentKind kind, const std::string& path)
{
    std::string full = absolute(path);
    std::vector<Entry> entries = read();
    std::size_t before = entries.size();
    std::erase_if(entries, [&](const Entry& entry) {
        return entry.kind == kind && (entry.path == full || entry.path == path);
    });
    if (entries.size() != before)
        write(entries);
}

} // namespace kestrane
