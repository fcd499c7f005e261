// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/write_sandbox.h"

#include <algorithm>

namespace kestrane {

namespace fs = std::filesystem;

namespace {

// Links are followed at most this often: a longer chain is a loop.
constexpr int kMostLinks = 40;

// The path with the links of its folders and of its last part followed;
// nothing when they loop or cannot be read.
std::optional<fs::path> followLinks(fs::path path)
{
    std::error_code error;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        fs::path folder = fs::weakly_canonical(path.parent_path(), error);
        if (error)
            return {};
        fs::path leaf = folder / path.filename();
        if (!fs::is_symlink(fs::symlink_status(leaf, error)))
            return leaf;
        fs::path link = fs::read_symlink(leaf, error);
        if (error)
            return {};
        path = link.is_absolute() ? link : folder / link;
    }
    return {};
}

bool isInside(const fs::path& path, const fs::path& root)
{
    auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    // Strictly inside: the folder itself is no file to write.
    return rootEnd == root.end() && pathAt != path.end();
}

} // namespace

WriteSandbox::WriteSandbox(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        std::error_code error;
        fs::path root = fs::weakly_canonical(fs::absolute(folder, error), error);
        if (!error && !root.empty() && root.filename().empty())
            root = root.parent_path();
        if (!error && !root.empty())
            m_roots.push_back(root);
    }
}

std::optional<fs::path> WriteSandbox::place(const fs::path& target) const
{
    // No lexical clean-up first: ".." must leave the folder a link leads to,
    // as the system will.
    std::error_code error;
    fs::path absolute = fs::absolute(target, error);
    fs::path name = absolute.filename();
    if (error || name.empty() || name == "." || name == "..")
        return {};
    std::optional<fs::path> resolved = followLinks(absolute);
    if (!resolved)
        return {};
    bool allowed = std::any_of(m_roots.begin(), m_roots.end(),
                               [&](const fs::path& root) { return isInside(*resolved, root); });
    if (!allowed)
        return {};
    return resolved;
}

} // namespace kestrane
