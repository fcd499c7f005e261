// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/options.h"

#include "platform/files.h"
#include "platform/translation.h"

#include <cstdlib>

namespace kestrane {

namespace {

constexpr std::string_view kMainLabel = N_("Main directory:");
constexpr std::string_view kWorkingLabel = N_("Working directory:");
constexpr std::string_view kLibraryLabel = N_("Library directory:");
constexpr std::string_view kMainOptText = "ShowMessages=0";
// Paths longer than the dialog's fields are cut to their width.
constexpr size_t kMaxPathLength = 300;

// The line after a label: the label and the line end after it are skipped,
// and the path runs to the next CR or LF.
std::string valueAfter(std::string_view text, std::string_view label)
{
    size_t found = text.find(label);
    if (found == std::string_view::npos)
        return {};
    size_t start = found + label.size() + 2;
    if (start > text.size())
        return {};
    size_t end = text.find_first_of("\r\n", start);
    std::string value(
        text.substr(start, end == std::string_view::npos ? text.size() - start : end - start));
    if (value.size() > kMaxPathLength)
        value.resize(kMaxPathLength);
    return value;
}

void appendBlock(std::string& text, std::string_view label, std::string_view path)
{
    text.append(label).append("\r\n").append(path).append("\r\n\r\n");
}

} // namespace

Directories parseOptions(std::string_view text)
{
    Directories directories;
    directories.main = valueAfter(text, kMainLabel);
    directories.working = valueAfter(text, kWorkingLabel);
    directories.library = valueAfter(text, kLibraryLabel);
    return directories;
}

std::string formatOptions(const Directories& options)
{
    std::string text;
    appendBlock(text, kMainLabel, options.main);
    if (options.working.size() > 2)
        appendBlock(text, kWorkingLabel, options.working);
    if (options.library.size() > 2)
        appendBlock(text, kLibraryLabel, options.library);
    return text;
}

std::optional<Directories> readOptions(const std::filesystem::path& programOptions,
                                       const std::filesystem::path& homeOptions)
{
    if (auto text = readWholeFile(homeOptions))
        return parseOptions(*text);
    if (auto text = readWholeFile(programOptions))
        return parseOptions(*text);
    return {};
}

std::filesystem::path homeOptionsPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".config";
    return base / "kestrane" / "options";
}

bool writeOptions(const std::filesystem::path& path, const Directories& options)
{
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    return replaceFile(path, formatOptions(options));
}

std::optional<bool> readMainOpt(const std::filesystem::path& path)
{
    auto bytes = readWholeFile(path);
    if (!bytes || bytes->size() < kMainOptText.size())
        return {};
    switch ((*bytes)[kMainOptText.size() - 1]) {
    case '0':
        return false;
    case '1':
        return true;
    default:
        return {};
    }
}

bool writeMainOpt(const std::filesystem::path& path, bool showMessages)
{
    std::string text(kMainOptText);
    if (showMessages)
        text.back() = '1';
    return replaceFile(path, text);
}

} // namespace kestrane
