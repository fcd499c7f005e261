// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>

namespace kestrane::testing {

// Lines joined with CR LF, as script files hold them.
inline std::string scriptText(std::initializer_list<std::string_view> lines)
{
    std::string text;
    bool first = true;
    for (std::string_view line : lines) {
        if (!first)
            text += "\r\n";
        first = false;
        text += line;
    }
    return text;
}

// A directory of its own under the system's temporary directory, removed
// with everything in it when the test ends.
class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("kestrane-script-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryDirectory()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string operator/(std::string_view name) const { return (m_path / name).string(); }

    // Writes the bytes to a file under the directory, making its folders.
    std::string write(std::string_view name, std::string_view bytes) const
    {
        std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream stream(file, std::ios::binary);
        stream << bytes;
        return file.string();
    }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

} // namespace kestrane::testing
