// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/script_loader.h"

#include "platform/files.h"
#include "platform/host.h"
#include "script/lexical.h"
#include "script/module.h"

#include <algorithm>
#include <filesystem>

namespace kestrane {

namespace fs = std::filesystem;

namespace {

bool isIncludeModuleCharacter(char character)
{
    return (character >= '1' && character <= '4') || (character >= 'A' && character <= 'D');
}

// The real directory of a file: "..\" in its includes climbs from there,
// whatever the current directory is later and however the file was named.
std::string directoryOf(const fs::path& path)
{
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error)
        absolute = path;
    fs::path directory = fs::weakly_canonical(absolute.parent_path(), error);
    if (error)
        directory = absolute.parent_path().lexically_normal();
    std::string text = directory.string();
    return text.empty() ? std::string(".") : text;
}

// Only regular files are read: a name that reaches a device or a pipe would
// otherwise block the load for ever.
std::optional<std::string> readRegularFile(const fs::path& path)
{
    auto existing = findExisting(path);
    std::error_code error;
    if (!existing || !fs::is_regular_file(*existing, error))
        return {};
    return readWholeFile(*existing);
}

std::string canonicalName(const std::string& path)
{
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

} // namespace

std::optional<std::string> includeName(std::string_view line)
{
    std::size_t hash = skipBlanks(line, 0);
    if (hash >= line.size() || line[hash] != '#')
        return {};
    std::string_view rest = line.substr(hash + 1);
    if (rest.size() < 8 || rest.substr(0, 7) != "include")
        return {};
    std::size_t open = skipBlanks(rest, 7);
    if (open >= rest.size() || rest[open] != '<')
        return {};
    std::size_t close = rest.find('>', open + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(rest.substr(open + 1, close - open - 1));
}

ScriptLoader::ScriptLoader(Host& host, const Directories& directories)
    : m_host(host)
    , m_directories(directories)
{
}

std::unique_ptr<ScriptFile> ScriptLoader::build(std::string_view text, int moduleCode,
                                                std::string name, std::string path,
                                                std::string directory)
{
    auto file = std::make_unique<ScriptFile>();
    file->moduleCode = moduleCode;
    file->name = std::move(name);
    file->path = std::move(path);
    file->directory = std::move(directory);
    file->setText(text);
    m_chain.clear();
    m_filesLoaded = 0;
    if (!file->path.empty())
        m_chain.push_back(canonicalName(file->path));
    loadIncludes(*file, 0);
    return file;
}

std::unique_ptr<ScriptFile> ScriptLoader::openMainFile(const std::string& path, int moduleCode,
                                                       FirstByte firstByte)
{
    std::optional<std::string> bytes = readRegularFile(nativePath(path));
    if (!bytes) {
        error(std::string(load_message::kMainMissing));
        return nullptr;
    }
    std::string_view text = *bytes;
    if (!text.empty()) {
        if (firstByte == FirstByte::SetsModule)
            moduleCode = moduleFromCharacter(text.front());
        if (!findModule(moduleCode)) {
            error(std::string(load_message::kWrongFirstCharacter));
            return nullptr;
        }
        text.remove_prefix(1);
    }
    fs::path native = nativePath(path);
    return build(text, moduleCode, native.filename().string(), native.string(),
                 directoryOf(native));
}

void ScriptLoader::loadIncludes(ScriptFile& file, int depth)
{
    // The lines are copied out first: loading does not touch them, but the
    // include list grows while they are read.
    std::vector<std::string> names;
    for (const SourceLine& line : file.lines) {
        if (!line.startsWithHash())
            continue;
        if (auto name = includeName(line.text()))
            names.push_back(std::move(*name));
    }
    for (const std::string& name : names)
        loadInclude(file, name, depth);
}

void ScriptLoader::loadInclude(ScriptFile& file, std::string_view name, int depth)
{
    std::optional<std::string> found = findInclude(file, name);
    if (!found) {
        error(std::string(load_message::kIncludeMissing));
        return;
    }
    std::string canonical = canonicalName(*found);
    if (std::find(m_chain.begin(), m_chain.end(), canonical) != m_chain.end()) {
        error(std::string(load_message::kIncludeCycle));
        return;
    }
    if (depth + 1 > kMaxIncludeDepth) {
        error(std::string(load_message::kTooDeep));
        return;
    }
    if (m_filesLoaded >= kMaxIncludedFiles) {
        error(std::string(load_message::kTooMany));
        return;
    }
    std::optional<std::string> bytes = readRegularFile(*found);
    if (!bytes) {
        error(std::string(load_message::kIncludeMissing));
        return;
    }
    if (bytes->size() < 2) {
        error(std::string(load_message::kIncludeEmpty));
        return;
    }
    if (!isIncludeModuleCharacter(bytes->front())) {
        error(std::string(load_message::kWrongFirstCharacter));
        return;
    }
    ++m_filesLoaded;
    auto include = std::make_unique<ScriptFile>();
    include->moduleCode = moduleFromCharacter(bytes->front());
    include->name = std::string(name);
    include->path = *found;
    include->directory = directoryOf(*found);
    include->setText(std::string_view(*bytes).substr(1));
    m_chain.push_back(canonical);
    loadIncludes(*include, depth + 1);
    m_chain.pop_back();
    file.includes.push_back(std::move(include));
}

std::optional<std::string> ScriptLoader::findInclude(const ScriptFile& file,
                                                     std::string_view name) const
{
    // An absolute name says where the file is: no directory is put before it.
    if (!name.empty() && name.front() == '/') {
        auto existing = findExisting(nativePath(name));
        std::error_code error;
        if (existing && fs::is_regular_file(*existing, error))
            return existing->string();
        return {};
    }
    for (const std::string* directory :
         {&file.directory, &m_directories.main, &m_directories.working, &m_directories.library}) {
        if (directory->empty())
            continue;
        fs::path candidate = nativePath(joinPath(*directory, name));
        auto existing = findExisting(candidate);
        std::error_code error;
        if (existing && fs::is_regular_file(*existing, error))
            return existing->string();
    }
    return {};
}

void ScriptLoader::error(const std::string& text)
{
    m_host.message(std::string(load_message::kCaption), text, MessageButtons::Ok,
                   MessageIcon::Error);
}

} // namespace kestrane
