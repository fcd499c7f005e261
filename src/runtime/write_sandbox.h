// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// Where a program may write files. Programs are passed around, so one must
// not replace a file of its user's elsewhere: each file a program writes
// must lie inside one of the allowed folders (subfolders included).
class WriteSandbox {
public:
    explicit WriteSandbox(const std::vector<std::string>& folders);

    // The file to write in place of `target`: its absolute name with every
    // symbolic link followed (in its folders and in the file itself, so a
    // link never lets a write out), when that lies inside an allowed folder;
    // nothing otherwise. A relative target is taken from the current
    // directory.
    std::optional<std::filesystem::path> place(const std::filesystem::path& target) const;

private:
    std::vector<std::filesystem::path> m_roots;
};

} // namespace kestrane
