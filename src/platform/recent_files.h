// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The kinds of files the File menus remember, each list of its own.
enum class RecentKind { Script, Fraction, Function };

// The files opened and saved last, per kind, most recent first, kept in one
// text file of "kind<TAB>path" lines. Every call reads the file again, so
// that windows open at once share one list; writes replace it atomically.
// A missing or malformed file is an empty list.
class RecentFiles {
public:
    static constexpr std::size_t kMaxFiles = 10;

    explicit RecentFiles(std::filesystem::path file = defaultPath());

    // $XDG_CONFIG_HOME/kestrane/recent, by default ~/.config/kestrane/recent.
    static std::filesystem::path defaultPath();

    std::vector<std::string> list(RecentKind kind) const;
    // Puts the file (made absolute) first; the eleventh of its kind goes.
    void add(RecentKind kind, const std::string& path);
    void remove(RecentKind kind, const std::string& path);

private:
    struct Entry {
        RecentKind kind;
        std::string path;
    };
    std::vector<Entry> read() const;
    void write(const std::vector<Entry>& entries) const;

    std::filesystem::path m_file;
};

} // namespace kestrane
